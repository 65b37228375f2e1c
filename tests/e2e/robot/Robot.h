// A small robot for the end-to-end suites: runs inside the Wine prefix of the program under
// test and drives it as a person would (windows, mouse, keys, pixels, texts), then reads back
// files, the clipboard and the registry. Every wait polls a condition with a deadline.
#pragma once

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "Medium.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Text.h"

namespace lcime::robot {

namespace fs = std::filesystem;

// Deadlines sized for a loaded two-core machine.
constexpr DWORD kFirstWindowMs = 90000;  // start of a program to its first window
constexpr DWORD kWaitMs = 20000;         // any later change on screen or on disk

inline bool Poll(const std::function<bool()>& probe, DWORD timeoutMs = kWaitMs) {
    for (const DWORD start = GetTickCount(); !probe(); Sleep(15))
        if (GetTickCount() - start >= timeoutMs) return probe();
    return true;
}

using win32::Utf8, win32::Wide;

// A Unix path as the same file on drive Z:.
inline fs::path OnZ(const char* unixPath) { return fs::path(L"Z:" + Wide(unixPath ? unixPath : "")).make_preferred(); }
// The medium's root, drive M:, mapped by the runner to this suite's own folder.
inline fs::path Medium() { return L"M:\\"; }
inline void LayOutMedium(const fs::path& folder = Medium()) {
    auto env = [](const char* name) { return OnZ(std::getenv(name)); };
    demo::LayOutMedium(folder, {env("LCIME_SETUP_EXE"), env("LCIME_IME_MODULE"), env("LCIME_IME_MODULE_64"),
                                env("LCIME_STANDIN_EXE")});
}

// The two system directories of the prefix, as Z: paths so that no file-system redirection
// applies, and the one this program's system directory is.
struct SystemDirs { fs::path for32Bit, for64Bit, own; };
inline SystemDirs SystemDirectories() {
    const fs::path windows = OnZ(std::getenv("WINEPREFIX")) / L"drive_c" / L"windows";
    return {windows / L"syswow64", windows / L"system32", windows / (sizeof(void*) == 8 ? L"system32" : L"syswow64")};
}

inline std::string ReadFileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool RemoveFile(const fs::path& file) {  // true when gone afterwards
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(file.c_str());
    return GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES;
}

// A started process, ended with exit code 1 if still running at destruction.
struct Process {
    win32::UniqueHandle handle;
    DWORD id = 0;

    ~Process() { Kill(); }
    bool Start(std::wstring commandLine, const fs::path& currentDir, WORD showWindow = SW_SHOWDEFAULT) {
        Kill();
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = showWindow;
        PROCESS_INFORMATION info = {};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, 0, 0, nullptr, currentDir.c_str(), &startup,
                            &info))
            return false;
        // Wine starts a Unix program with no process handle and leaves hThread undefined:
        // closing it could close a handle of ours.
        const win32::UniqueHandle thread(info.hProcess ? info.hThread : nullptr);
        handle.reset(info.hProcess);
        id = info.dwProcessId;
        return true;
    }
    bool WaitExit(DWORD& exitCode, DWORD timeoutMs = kWaitMs) const {
        return handle && WaitForSingleObject(handle.get(), timeoutMs) == WAIT_OBJECT_0 &&
               GetExitCodeProcess(handle.get(), &exitCode);
    }
    void Kill() {
        if (handle && TerminateProcess(handle.get(), 1)) WaitForSingleObject(handle.get(), kWaitMs);
        handle.reset();
    }
};

// A window's text (WM_GETTEXT, also for controls of another process).
inline std::wstring TextOf(HWND window) {
    wchar_t buffer[4096];
    DWORD_PTR got = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, LPARAM(buffer), SMTO_ABORTIFHUNG, 5000, &got);
    return std::wstring(buffer, got);
}

// The visible top-level windows of a process (of every process for 0) with this title and class
// (either left out when null).
inline std::vector<HWND> TopWindows(DWORD pid, const wchar_t* title = nullptr, const wchar_t* cls = nullptr) {
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, cls, title));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (IsWindowVisible(window) && (pid == 0 || owner == pid)) found.push_back(window);
    }
    return found;
}

inline HWND WaitTopWindow(DWORD pid, const wchar_t* title, const wchar_t* cls = nullptr, DWORD timeoutMs = kWaitMs) {
    std::vector<HWND> found;
    Poll([&] { return !(found = TopWindows(pid, title, cls)).empty(); }, timeoutMs);
    return found.empty() ? nullptr : found[0];
}

inline bool WaitGone(HWND window) { return Poll([&] { return !IsWindow(window); }); }

inline HWND ChildWithText(HWND parent, const wchar_t* cls, std::string_view text) {
    for (HWND child = nullptr;;)
        if (!(child = FindWindowExW(parent, child, cls, nullptr)) || TextOf(child) == Wide(text)) return child;
}

inline bool Send(std::vector<INPUT> inputs) {
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

inline INPUT Mouse(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = x, in.mi.dy = y, in.mi.dwFlags = flags;
    return in;
}

inline POINT ToScreen(HWND window, POINT client) {
    ClientToScreen(window, &client);
    return client;
}

// Puts the X pointer (Wine may snap back to it) and then Wine's own on a client point of
// `window`, and checks both agree. Wine starts a Unix program without a handle to wait on, and a
// loaded machine may start it late: a mover still pending when the next move is made would drag
// the pointer back. So each move's xdotool leaves a mark when it has ended, and the move waits
// for it. (Not xdotool's --sync: for a point the pointer is already on, it waits 15 s for a
// motion that never comes.)
inline bool MoveTo(HWND window, POINT client) {
    static unsigned moves = 0;
    const POINT screen = ToScreen(window, client);
    // The suite's own folder, on drive Z: (the Unix root).
    const fs::path mark = fs::current_path() / (L"moved-" + std::to_wstring(++moves));
    std::wstring unixMark = mark.wstring().substr(2);
    std::replace(unixMark.begin(), unixMark.end(), L'\\', L'/');
    const std::wstring toX = std::to_wstring(screen.x), toY = std::to_wstring(screen.y);
    Process xdotool;
    if (!xdotool.Start(L"Z:\\bin\\sh -c \"/usr/bin/xdotool mousemove " + toX + L" " + toY + L" && : >'" + unixMark + L"'\"", Medium()) ||
        !Poll([&] { return fs::exists(mark); }) || !RemoveFile(mark))
        return false;
    auto at = [&] {
        POINT p;
        return GetCursorPos(&p) && p.x == screen.x && p.y == screen.y;
    };
    const LONG x = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;  // +1: not the pixel before
    const LONG y = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    return Poll(at, 5000) && Send({Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y)}) && Poll(at, 5000);
}

inline bool Click(HWND window, POINT client) {
    return MoveTo(window, client) && Send({Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP)});
}

inline bool ClickMiddle(HWND control) {
    RECT r = {};
    return GetClientRect(control, &r) && Click(control, {r.right / 2, r.bottom / 2});
}

// Brings the top-level window of `window` to the front, then presses the keys together and
// releases them in reverse order, e.g. {VK_CONTROL, 'C'}, {VK_MENU, VK_F4}.
inline bool Keys(HWND window, const std::vector<WORD>& chord) {
    HWND top = GetAncestor(window, GA_ROOT);
    if (GetForegroundWindow() != top) SetForegroundWindow(top);
    Poll([&] { return GetForegroundWindow() == top; }, 5000);
    std::vector<INPUT> inputs(chord.size() * 2);
    for (size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = chord[i < chord.size() ? i : inputs.size() - 1 - i];
        inputs[i].ki.dwFlags = i < chord.size() ? 0 : KEYEVENTF_KEYUP;
    }
    return Send(inputs);
}

// The pixels, row by row as 0x00RRGGBB, of a bitmap `width` by `height` that `paint` draws into.
inline std::vector<COLORREF> Painted(int width, int height, const std::function<bool(HDC)>& paint) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const win32::UniqueDc dc(CreateCompatibleDC(nullptr));
    const win32::UniqueBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return {};
    const win32::SelectIn select(dc.get(), bitmap.get());
    if (!paint(dc.get()) || !GdiFlush()) return {};
    const auto* pixels = static_cast<const COLORREF*>(bits);
    return {pixels, pixels + size_t(width) * height};
}

// The pixels of a client rectangle as on the screen.
inline std::vector<COLORREF> Capture(HWND window, const RECT& client) {
    const int width = client.right - client.left, height = client.bottom - client.top;
    const POINT origin = ToScreen(window, {client.left, client.top});
    const win32::UniqueScreenDc screen(GetDC(nullptr));
    return Painted(width, height, [&](HDC dc) {
        return BitBlt(dc, 0, 0, width, height, screen.get(), origin.x, origin.y, SRCCOPY) != FALSE;
    });
}

// Empties the clipboard (another process may hold it open for a moment).
inline bool EmptyTheClipboard() {
    if (!Poll([] { return OpenClipboard(nullptr) != FALSE; }, 5000)) return false;
    const bool emptied = EmptyClipboard();
    return CloseClipboard() && emptied;
}

// The clipboard's text once a program has put some there. The wait does not open the
// clipboard: a program's copy fails without a word while another process holds it open.
inline std::wstring WaitClipboardText() {
    std::wstring text;
    if (!Poll([] { return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; }) ||
        !Poll([] { return OpenClipboard(nullptr) != FALSE; }, 5000))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) text = chars;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

constexpr wchar_t kLayoutsKey[] = L"System\\CurrentControlSet\\Control\\Keyboard Layouts";

struct KeyboardLayout {
    std::wstring key, layoutText, imeFile;
};

inline std::vector<KeyboardLayout> KeyboardLayouts() {
    std::vector<KeyboardLayout> layouts;
    HKEY raw = nullptr;
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, kLayoutsKey, 0, KEY_READ | KEY_WOW64_64KEY, &raw);
    const win32::UniqueKey root(raw);
    wchar_t name[256], text[1024] = {}, file[1024] = {};
    for (DWORD i = 0, n = 256; raw && !RegEnumKeyExW(raw, i, name, &n, nullptr, nullptr, nullptr, nullptr); n = 256) {
        DWORD textSize = sizeof(text), fileSize = sizeof(file);
        text[0] = file[0] = 0;
        RegGetValueW(raw, name, L"Layout Text", RRF_RT_REG_SZ, nullptr, text, &textSize);
        RegGetValueW(raw, name, L"Ime File", RRF_RT_REG_SZ, nullptr, file, &fileSize);
        layouts.push_back({name, text, file}), ++i;
    }
    return layouts;
}

// Deletes the layout keys that name an IME file (the ones installs add).
inline void RemoveImeLayouts() {
    for (const KeyboardLayout& layout : KeyboardLayouts())
        if (!layout.imeFile.empty())
            RegDeleteKeyExW(HKEY_LOCAL_MACHINE, (std::wstring(kLayoutsKey) + L"\\" + layout.key).c_str(),
                            KEY_WOW64_64KEY, 0);
}

}  // namespace lcime::robot
