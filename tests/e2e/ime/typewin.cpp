// Types with an installed input method as a user's program would:
//   typewin <layout key> <IME file> <letters> <report file>
// activates the keyboard layout of that key before its window exists (so the window's input
// context gets the IME), presses the letters and then Enter with SendInput, and collects the
// WM_CHAR characters until the Enter arrives. The report (UTF-8) says whether the IME module
// was loaded and what was typed:
//   module=<0|1>
//   typed=<characters before the Enter>
// Exit code 0 when the Enter arrived in time.
#include <windows.h>
#include <imm.h>
#include <shellapi.h>

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::wstring typed;
bool enterSeen = false;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR) {
        if (wParam == L'\r') enterSeen = true;
        else if (!enterSeen) typed += wchar_t(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool Pump(HWND window, DWORD deadline, bool (*done)(HWND)) {
    while (!done(window)) {
        if (GetTickCount() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

void Press(WORD key) {
    INPUT input[2] = {};
    for (INPUT& i : input) {
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = key;
    }
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

std::string Utf8(const std::wstring& text) {
    std::string out(text.size() * 3, '\0');
    out.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), out.data(), (int)out.size(),
                                   nullptr, nullptr));
    return out;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc != 5) return 2;
    LoadKeyboardLayoutW(argv[1], KLF_ACTIVATE);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"LCImeTypeWin";
    RegisterClassW(&wc);
    HWND window = CreateWindowW(wc.lpszClassName, L"typewin", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                100, 100, 300, 200, nullptr, nullptr, instance, nullptr);
    const DWORD deadline = GetTickCount() + 20000;
    bool front = Pump(window, deadline, [](HWND w) {
        SetForegroundWindow(w);
        SetFocus(w);
        return GetForegroundWindow() == w && GetFocus() == w;
    });
    bool module = GetModuleHandleW(argv[2]) != nullptr;
    if (front) {
        for (const wchar_t* letter = argv[3]; *letter; ++letter) Press(WORD(towupper(*letter)));
        Press(VK_RETURN);
    }
    bool done = front && Pump(window, deadline, [](HWND) { return enterSeen; });
    std::ofstream(std::filesystem::path(argv[4]), std::ios::binary) << "module=" << module << "\ntyped=" << Utf8(typed) << "\n";
    return done ? 0 : 1;
}
