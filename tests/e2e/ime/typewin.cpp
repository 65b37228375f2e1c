// Types with an installed input method as a user's program would:
//   typewin <layout key> <IME file> <letters> <report file>
// activates the keyboard layout of that key before its window exists (so the window's input
// context gets the IME), presses the letters and then Enter with SendInput, and writes the
// WM_CHAR characters that came before the Enter to the report file (UTF-16).
// Exit code: 0 done, 1 the Enter did not arrive in time, 2 bad arguments, 3 IME not loaded.
#include <windows.h>
#include <shellapi.h>

#include <cwctype>
#include <fstream>
#include <string>

#include "platform/win32/Handles.h"

namespace {

std::wstring typed;
bool enterSeen = false;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CHAR) return DefWindowProcW(window, message, wParam, lParam);
    if (wParam == L'\r') enterSeen = true;
    else if (!enterSeen) typed += wchar_t(wParam);
    return 0;
}

// Runs the message loop (with TranslateMessage, which hands keys to the IME) until `done`.
template <typename Done>
bool Pump(DWORD deadline, Done done) {
    for (MSG msg; !done(); MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT)) {
        if (GetTickCount() >= deadline) return false;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) TranslateMessage(&msg), DispatchMessageW(&msg);
    }
    return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    int argc = 0;
    const lcime::win32::UniqueLocal<LPWSTR> arguments(CommandLineToArgvW(GetCommandLineW(), &argc));
    LPWSTR* const argv = arguments.get();
    if (argc != 5) return 2;
    LoadKeyboardLayoutW(argv[1], KLF_ACTIVATE);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"LCImeTypeWin";
    RegisterClassW(&wc);
    HWND window = CreateWindowW(wc.lpszClassName, L"typewin", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300,
                                200, nullptr, nullptr, instance, nullptr);
    if (!GetModuleHandleW(argv[2])) return 3;
    const DWORD deadline = GetTickCount() + 20000;
    const bool front = Pump(deadline, [&] {
        SetForegroundWindow(window);
        SetFocus(window);
        return GetForegroundWindow() == window && GetFocus() == window;
    });
    std::wstring keys = std::wstring(argv[3]) + L'\r';
    for (size_t i = 0; front && i < keys.size() * 2; ++i) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = keys[i / 2] == L'\r' ? VK_RETURN : WORD(std::towupper(keys[i / 2]));
        input.ki.dwFlags = i % 2 ? KEYEVENTF_KEYUP : 0;
        SendInput(1, &input, sizeof(INPUT));
    }
    const bool done = front && Pump(deadline, [] { return enterSeen; });
    std::ofstream(argv[4], std::ios::binary)
        .write(reinterpret_cast<const char*>(typed.data()), std::streamsize(typed.size() * sizeof(wchar_t)));
    return done ? 0 : 1;
}
