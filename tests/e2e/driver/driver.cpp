// Command-line remote control for the end-to-end tests: run with `wine driver.exe <command> ...`
// in the same prefix as the program under test, it finds that program's windows, moves and
// clicks the mouse, sends keys, reads pixels, texts and the clipboard, and presses message-box
// buttons. Results go to stdout as UTF-8 text; the exit code is 0 on success, 1 when a wait
// times out or an operation fails, 2 on a usage error.
//
// Window handles are printed and accepted as hexadecimal ("0x1a2b"). Texts given as arguments
// may be plain (Wine passes them correctly only under a UTF-8 locale it knows, e.g. C.UTF-8),
// "hex:" followed by UTF-16 code units as 4 hex digits each, or "u8:" followed by UTF-8 with
// %XX escapes; the last two forms survive any locale.

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

DWORD gTimeoutMs = 10000;
const DWORD kPollMs = 20;

// ---- output ---------------------------------------------------------------------------------

void writeUtf8(HANDLE h, const std::wstring& s) {
    if (s.empty()) return;
    int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), (int)s.size(), nullptr, 0, nullptr, nullptr);
    std::string bytes(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.data(), (int)s.size(), &bytes[0], n, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
}

void out(const std::wstring& s) { writeUtf8(GetStdHandle(STD_OUTPUT_HANDLE), s + L"\n"); }

int fail(const std::wstring& s, int code = 1) {
    writeUtf8(GetStdHandle(STD_ERROR_HANDLE), L"driver: " + s + L"\n");
    return code;
}

std::wstring fmt(const wchar_t* f, ...) {
    wchar_t buf[1024];
    va_list ap;
    va_start(ap, f);
    _vsnwprintf(buf, 1023, f, ap);
    va_end(ap);
    buf[1023] = 0;
    return buf;
}

std::wstring hwndText(HWND h) { return fmt(L"0x%llx", (unsigned long long)(ULONG_PTR)h); }

// Makes a text printable on one line: backslash, tab, CR and LF become escapes.
std::wstring oneLine(const std::wstring& s) {
    std::wstring r;
    for (wchar_t c : s) {
        if (c == L'\\') r += L"\\\\";
        else if (c == L'\t') r += L"\\t";
        else if (c == L'\r') r += L"\\r";
        else if (c == L'\n') r += L"\\n";
        else r += c;
    }
    return r;
}

// ---- argument parsing -----------------------------------------------------------------------

int hexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Decodes a text argument in one of the three accepted forms (see the file comment).
bool decodeText(const std::wstring& arg, std::wstring& result) {
    if (arg.compare(0, 4, L"hex:") == 0) {
        std::wstring h = arg.substr(4);
        if (h.size() % 4 != 0) return false;
        result.clear();
        for (size_t i = 0; i < h.size(); i += 4) {
            unsigned v = 0;
            for (size_t k = 0; k < 4; ++k) {
                int d = hexDigit(h[i + k]);
                if (d < 0) return false;
                v = v * 16 + d;
            }
            result += (wchar_t)v;
        }
        return true;
    }
    if (arg.compare(0, 3, L"u8:") == 0) {
        std::string bytes;
        for (size_t i = 3; i < arg.size(); ++i) {
            wchar_t c = arg[i];
            if (c == L'%') {
                if (i + 2 >= arg.size()) return false;
                int a = hexDigit(arg[i + 1]), b = hexDigit(arg[i + 2]);
                if (a < 0 || b < 0) return false;
                bytes += (char)(a * 16 + b);
                i += 2;
            } else if (c < 0x80) {
                bytes += (char)c;
            } else {
                return false;
            }
        }
        int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), (int)bytes.size(),
                                    nullptr, 0);
        if (n == 0 && !bytes.empty()) return false;
        result.assign(n, L'\0');
        if (n) MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), &result[0], n);
        return true;
    }
    result = arg;
    return true;
}

bool parseLong(const std::wstring& s, long long& v) {
    if (s.empty()) return false;
    wchar_t* end = nullptr;
    v = wcstoll(s.c_str(), &end, 0);
    return end && *end == 0;
}

bool parseHwnd(const std::wstring& s, HWND& h) {
    if (s.empty()) return false;
    wchar_t* end = nullptr;
    unsigned long long v = wcstoull(s.c_str(), &end, 16);
    if (!end || *end != 0) return false;
    h = (HWND)(ULONG_PTR)v;
    return true;
}

// ---- windows --------------------------------------------------------------------------------

std::wstring windowTitle(HWND h) {
    wchar_t buf[1024];
    int n = GetWindowTextW(h, buf, 1024);
    return std::wstring(buf, n > 0 ? n : 0);
}

std::wstring windowClass(HWND h) {
    wchar_t buf[256];
    int n = GetClassNameW(h, buf, 256);
    return std::wstring(buf, n > 0 ? n : 0);
}

// Reads a window's text through WM_GETTEXT, which also works for controls of another process.
std::wstring controlText(HWND h) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &len))
        return windowTitle(h);
    std::vector<wchar_t> buf(len + 2);
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXT, buf.size(), (LPARAM)buf.data(), SMTO_ABORTIFHUNG, 2000,
                             &got))
        return windowTitle(h);
    return std::wstring(buf.data(), got);
}

struct FindRequest {
    std::wstring title;
    std::wstring cls;
    bool anyClass;
    HWND found;
};

BOOL CALLBACK findProc(HWND h, LPARAM lp) {
    FindRequest* r = (FindRequest*)lp;
    if (!IsWindowVisible(h)) return TRUE;
    if (windowTitle(h) != r->title) return TRUE;
    if (!r->anyClass && windowClass(h) != r->cls) return TRUE;
    r->found = h;
    return FALSE;
}

HWND findTopLevel(const std::wstring& title, const std::wstring* cls) {
    FindRequest r{title, cls ? *cls : L"", cls == nullptr, nullptr};
    EnumWindows(findProc, (LPARAM)&r);
    return r.found;
}

// Polls `probe` until it returns true or the timeout runs out.
template <class F>
bool poll(DWORD timeoutMs, F probe) {
    DWORD start = GetTickCount();
    for (;;) {
        if (probe()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(kPollMs);
    }
}

bool clientToScreen(HWND h, long long cx, long long cy, POINT& p) {
    p.x = (LONG)cx;
    p.y = (LONG)cy;
    return IsWindow(h) && ClientToScreen(h, &p);
}

// ---- input ----------------------------------------------------------------------------------

INPUT mouseInput(DWORD flags, const POINT& screen) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    // The +1 keeps the point from rounding down to the pixel before it.
    in.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    in.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    return in;
}

bool sendInputs(std::vector<INPUT>& ins) {
    return SendInput((UINT)ins.size(), ins.data(), sizeof(INPUT)) == ins.size();
}

struct KeyName {
    const wchar_t* name;
    WORD vk;
};

const KeyName kKeys[] = {
    {L"ctrl", VK_CONTROL}, {L"control", VK_CONTROL}, {L"alt", VK_MENU}, {L"shift", VK_SHIFT},
    {L"win", VK_LWIN}, {L"esc", VK_ESCAPE}, {L"escape", VK_ESCAPE}, {L"enter", VK_RETURN},
    {L"return", VK_RETURN}, {L"space", VK_SPACE}, {L"tab", VK_TAB}, {L"backspace", VK_BACK},
    {L"delete", VK_DELETE}, {L"del", VK_DELETE}, {L"insert", VK_INSERT}, {L"home", VK_HOME},
    {L"end", VK_END}, {L"left", VK_LEFT}, {L"right", VK_RIGHT}, {L"up", VK_UP}, {L"down", VK_DOWN},
    {L"pageup", VK_PRIOR}, {L"pagedown", VK_NEXT}, {L"f1", VK_F1}, {L"f2", VK_F2}, {L"f3", VK_F3},
    {L"f4", VK_F4}, {L"f5", VK_F5}, {L"f6", VK_F6}, {L"f7", VK_F7}, {L"f8", VK_F8},
    {L"f9", VK_F9}, {L"f10", VK_F10}, {L"f11", VK_F11}, {L"f12", VK_F12},
};

bool keyCode(std::wstring name, WORD& vk) {
    for (auto& c : name) c = towlower(c);
    if (name.size() == 1) {
        wchar_t c = name[0];
        if ((c >= L'a' && c <= L'z')) { vk = (WORD)towupper(c); return true; }
        if (c >= L'0' && c <= L'9') { vk = (WORD)c; return true; }
    }
    for (const auto& k : kKeys)
        if (name == k.name) { vk = k.vk; return true; }
    return false;
}

bool isExtendedKey(WORD vk) {
    switch (vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_LWIN:
        return true;
    default:
        return false;
    }
}

INPUT keyInput(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = (WORD)MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (isExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

// Splits "ctrl+shift+home" at '+' into key names; a lone "+" is not supported.
bool chordInputs(const std::wstring& chord, std::vector<INPUT>& ins) {
    std::vector<WORD> vks;
    size_t start = 0;
    for (;;) {
        size_t plus = chord.find(L'+', start);
        std::wstring part = chord.substr(start, plus == std::wstring::npos ? std::wstring::npos
                                                                           : plus - start);
        WORD vk;
        if (!keyCode(part, vk)) return false;
        vks.push_back(vk);
        if (plus == std::wstring::npos) break;
        start = plus + 1;
    }
    for (WORD vk : vks) ins.push_back(keyInput(vk, false));
    for (size_t i = vks.size(); i-- > 0;) ins.push_back(keyInput(vks[i], true));
    return true;
}

// Brings a window of another process to the front; Wine honours SetForegroundWindow from a
// background process, Windows may need the Alt trick first.
void bringToFront(HWND h) {
    HWND top = GetAncestor(h, GA_ROOT);
    if (!top) top = h;
    if (GetForegroundWindow() != top) {
        SetForegroundWindow(top);
        poll(1000, [&] { return GetForegroundWindow() == top; });
    }
}

// ---- pixels ---------------------------------------------------------------------------------

bool screenPixel(const POINT& p, COLORREF& c) {
    HDC dc = GetDC(nullptr);
    if (!dc) return false;
    c = GetPixel(dc, p.x, p.y);
    ReleaseDC(nullptr, dc);
    return c != CLR_INVALID;
}

bool writeScreenshot(const std::wstring& file, const RECT& r) {
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;  // bottom-up, as BMP files store rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bmp) {
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        SelectObject(mem, old);
        DWORD stride = ((DWORD)w * 3 + 3) & ~3u;
        DWORD size = stride * h;
        BITMAPFILEHEADER fh = {};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
        fh.bfSize = fh.bfOffBits + size;
        bi.bmiHeader.biSizeImage = size;
        HANDLE f = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (f != INVALID_HANDLE_VALUE) {
            DWORD n;
            ok = WriteFile(f, &fh, sizeof(fh), &n, nullptr) &&
                 WriteFile(f, &bi.bmiHeader, sizeof(bi.bmiHeader), &n, nullptr) &&
                 WriteFile(f, bits, size, &n, nullptr);
            CloseHandle(f);
        }
        DeleteObject(bmp);
    }
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

// ---- commands -------------------------------------------------------------------------------

using Args = std::vector<std::wstring>;

int usage() {
    return fail(
        L"usage: driver [--timeout ms] <command> ...\n"
        L"  list                                  visible top-level windows: hwnd, class, title\n"
        L"  wait-window <title> [class]           prints the window's hwnd\n"
        L"  client-rect <hwnd>                    prints x y w h of the client area on screen\n"
        L"  move <hwnd> <cx> <cy>                 moves the mouse to a client point\n"
        L"  click <hwnd> <cx> <cy>                moves there and clicks the left button\n"
        L"  cursor                                prints the mouse position on screen\n"
        L"  pixel <hwnd> <cx> <cy>                prints r g b at a client point\n"
        L"  wait-pixel <hwnd> <cx> <cy> <r> <g> <b> [tolerance] [timeout]\n"
        L"  msgbox <title> [timeout]              prints the box's hwnd, then its text\n"
        L"  press <hwnd> [button-id]              clicks a button of a dialog (default IDOK)\n"
        L"  wait-gone <hwnd> [timeout]\n"
        L"  window-text <hwnd>                    prints the window's text\n"
        L"  child-texts <hwnd>                    one line per child: hwnd class id visible text\n"
        L"  close <hwnd>                          sends the system close command\n"
        L"  keys <hwnd> <chord>...                e.g. alt+f4 ctrl+c esc enter a backspace\n"
        L"  type <hwnd> <text>                    types text as Unicode characters\n"
        L"  clipboard                             prints the clipboard's Unicode text\n"
        L"  screenshot <file.bmp> [hwnd]          the screen, or the window's client area\n"
        L"  kill <hwnd> [exit-code]               terminates the window's process",
        2);
}

bool needArgs(const Args& a, size_t n) { return a.size() >= n; }

bool argHwnd(const Args& a, size_t i, HWND& h) { return i < a.size() && parseHwnd(a[i], h); }

bool argNum(const Args& a, size_t i, long long& v) { return i < a.size() && parseLong(a[i], v); }

int cmdList(const Args&) {
    struct Ctx { static BOOL CALLBACK proc(HWND h, LPARAM) {
        if (IsWindowVisible(h))
            out(hwndText(h) + L"\t" + windowClass(h) + L"\t" + oneLine(windowTitle(h)));
        return TRUE;
    } };
    EnumWindows(Ctx::proc, 0);
    return 0;
}

int cmdWaitWindow(const Args& a) {
    std::wstring title, cls;
    if (!needArgs(a, 1) || !decodeText(a[0], title)) return usage();
    bool withClass = a.size() >= 2;
    if (withClass && !decodeText(a[1], cls)) return usage();
    HWND found = nullptr;
    if (!poll(gTimeoutMs, [&] { return (found = findTopLevel(title, withClass ? &cls : nullptr)); }))
        return fail(L"no visible window titled \"" + title + L"\"");
    out(hwndText(found));
    return 0;
}

int cmdClientRect(const Args& a) {
    HWND h;
    if (!argHwnd(a, 0, h)) return usage();
    RECT r;
    POINT p = {0, 0};
    if (!IsWindow(h) || !GetClientRect(h, &r) || !ClientToScreen(h, &p))
        return fail(L"no such window " + a[0]);
    out(fmt(L"%ld %ld %ld %ld", p.x, p.y, r.right - r.left, r.bottom - r.top));
    return 0;
}

int cmdMoveOrClick(const Args& a, bool click) {
    HWND h;
    long long x, y;
    if (!argHwnd(a, 0, h) || !argNum(a, 1, x) || !argNum(a, 2, y)) return usage();
    POINT p;
    if (!clientToScreen(h, x, y, p)) return fail(L"no such window " + a[0]);
    std::vector<INPUT> ins{mouseInput(MOUSEEVENTF_MOVE, p)};
    if (click) {
        ins.push_back(mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, p));
        ins.push_back(mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, p));
    }
    if (!sendInputs(ins)) return fail(L"SendInput failed");
    return 0;
}

int cmdCursor(const Args&) {
    POINT p;
    if (!GetCursorPos(&p)) return fail(L"GetCursorPos failed");
    out(fmt(L"%ld %ld", p.x, p.y));
    return 0;
}

int cmdPixel(const Args& a) {
    HWND h;
    long long x, y;
    if (!argHwnd(a, 0, h) || !argNum(a, 1, x) || !argNum(a, 2, y)) return usage();
    POINT p;
    COLORREF c;
    if (!clientToScreen(h, x, y, p)) return fail(L"no such window " + a[0]);
    if (!screenPixel(p, c)) return fail(L"cannot read the pixel");
    out(fmt(L"%d %d %d", GetRValue(c), GetGValue(c), GetBValue(c)));
    return 0;
}

int cmdWaitPixel(const Args& a) {
    HWND h;
    long long x, y, r, g, b, tol = 0, timeout = gTimeoutMs;
    if (!argHwnd(a, 0, h) || !argNum(a, 1, x) || !argNum(a, 2, y) || !argNum(a, 3, r) ||
        !argNum(a, 4, g) || !argNum(a, 5, b))
        return usage();
    if (a.size() > 6 && !argNum(a, 6, tol)) return usage();
    if (a.size() > 7 && !argNum(a, 7, timeout)) return usage();
    COLORREF c = CLR_INVALID;
    bool ok = poll((DWORD)timeout, [&] {
        POINT p;
        if (!clientToScreen(h, x, y, p) || !screenPixel(p, c)) return false;
        return llabs(GetRValue(c) - r) <= tol && llabs(GetGValue(c) - g) <= tol &&
               llabs(GetBValue(c) - b) <= tol;
    });
    if (c != CLR_INVALID) out(fmt(L"%d %d %d", GetRValue(c), GetGValue(c), GetBValue(c)));
    if (!ok) return fail(fmt(L"pixel (%lld,%lld) did not become %lld %lld %lld", x, y, r, g, b));
    return 0;
}

HWND firstChildOfClass(HWND parent, const wchar_t* cls) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (lstrcmpiW(windowClass(c).c_str(), cls) == 0) return c;
    return nullptr;
}

int cmdMsgbox(const Args& a) {
    std::wstring title, cls = L"#32770";
    long long timeout = gTimeoutMs;
    if (!needArgs(a, 1) || !decodeText(a[0], title)) return usage();
    if (a.size() > 1 && !argNum(a, 1, timeout)) return usage();
    HWND box = nullptr;
    if (!poll((DWORD)timeout, [&] { return (box = findTopLevel(title, &cls)); }))
        return fail(L"no message box titled \"" + title + L"\"");
    wchar_t buf[4096];
    // The text of a message box is its static control with the id 0xFFFF.
    UINT n = GetDlgItemTextW(box, 0xFFFF, buf, 4096);
    out(hwndText(box));
    out(std::wstring(buf, n));
    return 0;
}

int cmdPress(const Args& a) {
    HWND box;
    long long id = IDOK;
    if (!argHwnd(a, 0, box)) return usage();
    bool idGiven = a.size() > 1;
    if (idGiven && !argNum(a, 1, id)) return usage();
    if (!IsWindow(box)) return fail(L"no such window " + a[0]);
    HWND button = GetDlgItem(box, (int)id);
    if (!button && !idGiven) button = firstChildOfClass(box, L"Button");
    if (!button) return fail(fmt(L"no button %lld in the window", id));
    if (!PostMessageW(button, BM_CLICK, 0, 0)) return fail(L"PostMessage failed");
    return 0;
}

int cmdWaitGone(const Args& a) {
    HWND h;
    long long timeout = gTimeoutMs;
    if (!argHwnd(a, 0, h)) return usage();
    if (a.size() > 1 && !argNum(a, 1, timeout)) return usage();
    if (!poll((DWORD)timeout, [&] { return !IsWindow(h); }))
        return fail(L"window " + a[0] + L" still exists");
    return 0;
}

int cmdWindowText(const Args& a) {
    HWND h;
    if (!argHwnd(a, 0, h)) return usage();
    if (!IsWindow(h)) return fail(L"no such window " + a[0]);
    out(controlText(h));
    return 0;
}

int cmdChildTexts(const Args& a) {
    HWND h;
    if (!argHwnd(a, 0, h)) return usage();
    if (!IsWindow(h)) return fail(L"no such window " + a[0]);
    struct Ctx { static BOOL CALLBACK proc(HWND c, LPARAM) {
        out(hwndText(c) + L"\t" + windowClass(c) + L"\t" + fmt(L"%d", GetDlgCtrlID(c)) + L"\t" +
            (IsWindowVisible(c) ? L"1" : L"0") + L"\t" + oneLine(controlText(c)));
        return TRUE;
    } };
    EnumChildWindows(h, Ctx::proc, 0);
    return 0;
}

int cmdClose(const Args& a) {
    HWND h;
    if (!argHwnd(a, 0, h)) return usage();
    if (!PostMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0)) return fail(L"no such window " + a[0]);
    return 0;
}

int cmdKeys(const Args& a) {
    HWND h;
    if (!argHwnd(a, 0, h) || a.size() < 2) return usage();
    if (!IsWindow(h)) return fail(L"no such window " + a[0]);
    bringToFront(h);
    for (size_t i = 1; i < a.size(); ++i) {
        std::vector<INPUT> ins;
        if (!chordInputs(a[i], ins)) return fail(L"unknown key " + a[i], 2);
        if (!sendInputs(ins)) return fail(L"SendInput failed");
        Sleep(30);  // lets the target handle one chord before the next arrives
    }
    return 0;
}

int cmdType(const Args& a) {
    HWND h;
    std::wstring text;
    if (!argHwnd(a, 0, h) || a.size() < 2 || !decodeText(a[1], text)) return usage();
    if (!IsWindow(h)) return fail(L"no such window " + a[0]);
    bringToFront(h);
    std::vector<INPUT> ins;
    for (wchar_t c : text) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wScan = c;
        in.ki.dwFlags = KEYEVENTF_UNICODE;
        ins.push_back(in);
        in.ki.dwFlags |= KEYEVENTF_KEYUP;
        ins.push_back(in);
    }
    if (!sendInputs(ins)) return fail(L"SendInput failed");
    return 0;
}

int cmdClipboard(const Args&) {
    // Another process may hold the clipboard open for a moment; retry.
    if (!poll(2000, [] { return OpenClipboard(nullptr) != 0; }))
        return fail(L"cannot open the clipboard");
    std::wstring text;
    bool have = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* p = (const wchar_t*)GlobalLock(data)) {
            text = p;
            have = true;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if (!have) return fail(L"the clipboard holds no text");
    out(text);
    return 0;
}

int cmdScreenshot(const Args& a) {
    if (a.empty()) return usage();
    RECT r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HWND h;
    if (a.size() > 1) {
        if (!argHwnd(a, 1, h)) return usage();
        POINT p = {0, 0};
        if (!IsWindow(h) || !GetClientRect(h, &r) || !ClientToScreen(h, &p))
            return fail(L"no such window " + a[1]);
        OffsetRect(&r, p.x, p.y);
    }
    if (!writeScreenshot(a[0], r)) return fail(L"cannot write " + a[0]);
    return 0;
}

int cmdKill(const Args& a) {
    HWND h;
    long long code = 1;
    if (!argHwnd(a, 0, h)) return usage();
    if (a.size() > 1 && !argNum(a, 1, code)) return usage();
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    HANDLE p = pid ? OpenProcess(PROCESS_TERMINATE, FALSE, pid) : nullptr;
    if (!p) return fail(L"cannot open the process of window " + a[0]);
    BOOL ok = TerminateProcess(p, (UINT)code);
    CloseHandle(p);
    return ok ? 0 : fail(L"TerminateProcess failed");
}

struct Command {
    const wchar_t* name;
    int (*run)(const Args&);
};

int cmdMove(const Args& a) { return cmdMoveOrClick(a, false); }
int cmdClick(const Args& a) { return cmdMoveOrClick(a, true); }

const Command kCommands[] = {
    {L"list", cmdList},          {L"wait-window", cmdWaitWindow}, {L"client-rect", cmdClientRect},
    {L"move", cmdMove},          {L"click", cmdClick},            {L"cursor", cmdCursor},
    {L"pixel", cmdPixel},        {L"wait-pixel", cmdWaitPixel},   {L"msgbox", cmdMsgbox},
    {L"press", cmdPress},        {L"wait-gone", cmdWaitGone},     {L"window-text", cmdWindowText},
    {L"child-texts", cmdChildTexts}, {L"close", cmdClose},        {L"keys", cmdKeys},
    {L"type", cmdType},          {L"clipboard", cmdClipboard},    {L"screenshot", cmdScreenshot},
    {L"kill", cmdKill},
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Args args(argv + 1, argv + argc);
    while (!args.empty() && (args[0] == L"--timeout" || args[0] == L"-t")) {
        long long t;
        if (args.size() < 2 || !parseLong(args[1], t) || t < 0) return usage();
        gTimeoutMs = (DWORD)t;
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) return usage();
    std::wstring name = args[0];
    args.erase(args.begin());
    for (const auto& c : kCommands)
        if (name == c.name) return c.run(args);
    fail(L"unknown command " + name);
    return usage();
}
