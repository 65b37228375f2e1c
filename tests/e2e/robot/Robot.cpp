// The robot's Win32 side; see Robot.h.
#include "Robot.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "Medium.h"
#include "platform/win32/Handles.h"

namespace lcime::robot {

namespace fs = std::filesystem;

namespace {

struct ScreenDcReleaser { void operator()(HDC dc) const { ReleaseDC(nullptr, dc); } };
struct KeyCloser { void operator()(HKEY k) const { RegCloseKey(k); } };
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

const wchar_t kLayoutsKey[] = L"System\\CurrentControlSet\\Control\\Keyboard Layouts";

// A Unix path from the environment as the same file on drive Z:.
fs::path UnixPath(const char* variable) {
    const char* value = std::getenv(variable);
    std::wstring path = L"Z:" + Wide(value ? value : "");
    for (wchar_t& c : path) if (c == L'/') c = L'\\';
    return path;
}

std::wstring RegistryString(HKEY key, const wchar_t* subkey, const wchar_t* name) {
    wchar_t buffer[1024];
    DWORD size = sizeof(buffer);
    if (RegGetValueW(key, subkey, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) return {};
    return buffer;
}

INPUT MouseInput(DWORD flags, POINT screen) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    // The +1 keeps the point from rounding down to the pixel before it.
    in.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    in.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    return in;
}

bool Send(std::vector<INPUT> inputs) {
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

POINT ToScreen(HWND window, POINT client) {
    ClientToScreen(window, &client);
    return client;
}

// The X server's pointer first (Wine may snap back to it), then Wine's own; both checked.
bool PointAt(POINT screen) {
    std::wstring command = L"Z:\\usr\\bin\\xdotool mousemove --sync " + std::to_wstring(screen.x) + L" " +
                           std::to_wstring(screen.y);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    const win32::UniqueHandle process(info.hProcess), thread(info.hThread);
    auto at = [&] {
        POINT p;
        return GetCursorPos(&p) && p.x == screen.x && p.y == screen.y;
    };
    if (!Poll(at, 5000)) return false;
    return Send({MouseInput(0, screen)}) && Poll(at, 5000);
}

void BringToFront(HWND window) {
    HWND top = GetAncestor(window, GA_ROOT);
    if (GetForegroundWindow() != top) SetForegroundWindow(top);
    Poll([&] { return GetForegroundWindow() == top; }, 5000);
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    const bool extended = (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE;
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

}  // namespace

bool Poll(const std::function<bool()>& probe, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (probe()) return true;
        if (GetTickCount() - start >= timeoutMs) return probe();
        Sleep(15);
    }
}

// ---- the build under test and its medium ----------------------------------------------------

BuildUnderTest Build() {
    return {UnixPath("LCIME_SETUP_EXE"), UnixPath("LCIME_IME_MODULE"), UnixPath("LCIME_STANDIN_EXE")};
}

fs::path Medium() { return L"M:\\"; }

void LayOutMedium() {
    const BuildUnderTest build = Build();
    demo::LayOutMedium(Medium(), {build.setupExe, build.imeModule, build.standinExe});
}

SystemDirs SystemDirectories() {
    const fs::path windows = UnixPath("WINEPREFIX") / L"drive_c" / L"windows";
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    if (wow64) return {windows / L"syswow64", windows / L"system32"};
    if (sizeof(void*) == 8 && fs::exists(windows / L"syswow64")) return {windows / L"system32", windows / L"syswow64"};
    return {windows / L"system32", {}};
}

std::string ReadFileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool RemoveFile(const fs::path& file) {
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(file.c_str());
    return GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES;
}

// ---- processes ------------------------------------------------------------------------------

Process::~Process() { Kill(); }

bool Process::Start(const std::wstring& commandLine, const fs::path& currentDir, WORD showWindow) {
    Kill();
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showWindow;
    PROCESS_INFORMATION info = {};
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, currentDir.c_str(), &startup,
                        &info))
        return false;
    CloseHandle(info.hThread);
    handle_ = info.hProcess;
    id_ = info.dwProcessId;
    return true;
}

bool Process::Running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

bool Process::WaitExit(DWORD& exitCode, DWORD timeoutMs) {
    return handle_ && WaitForSingleObject(handle_, timeoutMs) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(handle_, &exitCode);
}

void Process::Kill() {
    if (!handle_) return;
    if (Running()) {
        TerminateProcess(handle_, 1);
        WaitForSingleObject(handle_, kWaitMs);
    }
    CloseHandle(handle_);
    handle_ = nullptr;
    id_ = 0;
}

bool StartSetup(Process& setup, WORD showWindow) {
    return setup.Start(L"\"" + (Medium() / L"Setup.exe").wstring() + L"\"", Medium(), showWindow);
}

// ---- windows --------------------------------------------------------------------------------

std::wstring TitleOf(HWND window) {
    wchar_t buffer[1024];
    return std::wstring(buffer, std::max(0, GetWindowTextW(window, buffer, 1024)));
}

std::wstring ClassOf(HWND window) {
    wchar_t buffer[256];
    return std::wstring(buffer, std::max(0, GetClassNameW(window, buffer, 256)));
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 5000, &got))
        return {};
    text.resize(got);
    return text;
}

struct WindowSearch {
    DWORD pid;
    std::vector<HWND> found;
};

static BOOL CALLBACK CollectTopWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (IsWindowVisible(window) && (search.pid == 0 || owner == search.pid)) search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> TopWindowsOf(DWORD pid) {
    WindowSearch search{pid, {}};
    EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopWindow(const std::wstring& title, const std::wstring& cls, DWORD pid) {
    for (HWND window : TopWindowsOf(pid))
        if ((title.empty() || TitleOf(window) == title) && (cls.empty() || ClassOf(window) == cls)) return window;
    return nullptr;
}

HWND WaitTopWindow(const std::wstring& title, const std::wstring& cls, DWORD pid, DWORD timeoutMs) {
    HWND found = nullptr;
    Poll([&] { return (found = FindTopWindow(title, cls, pid)) != nullptr; }, timeoutMs);
    return found;
}

HWND WaitTopWindowOfClass(const std::wstring& cls, DWORD pid, DWORD timeoutMs) {
    return WaitTopWindow(L"", cls, pid, timeoutMs);
}

bool WaitGone(HWND window, DWORD timeoutMs) {
    return Poll([&] { return !IsWindow(window); }, timeoutMs);
}

RECT ClientRectOnScreen(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

static BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
    reinterpret_cast<std::vector<Child>*>(data)->push_back(
        {window, ClassOf(window), GetDlgCtrlID(window), IsWindowVisible(window) != FALSE, TextOf(window)});
    return TRUE;
}

std::vector<Child> Children(HWND parent) {
    std::vector<Child> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

// ---- dialogs and message boxes --------------------------------------------------------------

std::wstring MessageText(HWND box) {
    wchar_t buffer[4096];
    return std::wstring(buffer, GetDlgItemTextW(box, 0xFFFF, buffer, 4096));
}

bool PressButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    return button && PostMessageW(button, BM_CLICK, 0, 0);
}

bool CloseBox(HWND window) { return PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

// ---- mouse and keys -------------------------------------------------------------------------

bool MoveTo(HWND window, POINT client) { return PointAt(ToScreen(window, client)); }

bool Click(HWND window, POINT client) {
    const POINT screen = ToScreen(window, client);
    return PointAt(screen) && Send({MouseInput(MOUSEEVENTF_LEFTDOWN, screen), MouseInput(MOUSEEVENTF_LEFTUP, screen)});
}

bool Drag(HWND window, POINT from, POINT to) {
    const POINT start = ToScreen(window, from), end = ToScreen(window, to);
    return PointAt(start) && Send({MouseInput(MOUSEEVENTF_LEFTDOWN, start)}) && PointAt(end) &&
           Send({MouseInput(MOUSEEVENTF_LEFTUP, end)});
}

bool Keys(HWND window, const std::vector<WORD>& chord) {
    BringToFront(window);
    std::vector<INPUT> inputs;
    for (WORD vk : chord) inputs.push_back(KeyInput(vk, false));
    for (auto vk = chord.rbegin(); vk != chord.rend(); ++vk) inputs.push_back(KeyInput(*vk, true));
    return Send(inputs);
}

// ---- pixels ---------------------------------------------------------------------------------

std::vector<COLORREF> Capture(HWND window, const RECT& client) {
    const int width = client.right - client.left, height = client.bottom - client.top;
    const POINT origin = ToScreen(window, {client.left, client.top});
    const std::unique_ptr<HDC__, ScreenDcReleaser> screen(GetDC(nullptr));
    const win32::UniqueDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const win32::UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::vector<COLORREF> pixels;
    if (!bitmap) return pixels;
    const win32::SelectIn select(memory.get(), bitmap.get());
    if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), origin.x, origin.y, SRCCOPY)) return pixels;
    GdiFlush();
    const auto* bgrx = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i)
        pixels.push_back(RGB((bgrx[i] >> 16) & 0xFF, (bgrx[i] >> 8) & 0xFF, bgrx[i] & 0xFF));
    return pixels;
}

// ---- clipboard and registry -----------------------------------------------------------------

std::wstring ClipboardText() {
    std::wstring text;
    // Another process may hold the clipboard open for a moment.
    if (!Poll([] { return OpenClipboard(nullptr) != FALSE; }, 5000)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool ClearClipboard() {
    if (!Poll([] { return OpenClipboard(nullptr) != FALSE; }, 5000)) return false;
    const bool emptied = EmptyClipboard();
    CloseClipboard();
    return emptied;
}

std::vector<KeyboardLayout> KeyboardLayouts() {
    std::vector<KeyboardLayout> layouts;
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kLayoutsKey, 0, KEY_READ | KEY_WOW64_64KEY, &raw) != ERROR_SUCCESS)
        return layouts;
    UniqueKey root(raw);
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumKeyExW(raw, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        layouts.push_back({name, RegistryString(raw, name, L"Layout Text"), RegistryString(raw, name, L"Ime File")});
    }
    return layouts;
}

void RemoveImeLayouts() {
    for (const KeyboardLayout& layout : KeyboardLayouts())
        if (!layout.imeFile.empty())
            RegDeleteKeyExW(HKEY_LOCAL_MACHINE, (std::wstring(kLayoutsKey) + L"\\" + layout.key).c_str(),
                            KEY_WOW64_64KEY, 0);
}

// ---- text -----------------------------------------------------------------------------------

std::wstring Wide(std::string_view utf8) {
    std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string Utf8(std::wstring_view wide) {
    std::string utf8(
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                        static_cast<int>(utf8.size()), nullptr, nullptr);
    return utf8;
}

}  // namespace lcime::robot
