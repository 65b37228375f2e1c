// Types with an installed input method as a user's program would:
//   typewin <layout key> <IME file> <letters> <report file>
// activates the keyboard layout of that key before its window exists (so the window's input
// context gets the IME), presses the letters and then Enter with SendInput, and writes the
// WM_CHAR characters that came before the Enter to the report file (UTF-16).
// Exit code: 0 done, 1 the Enter did not arrive in time, 2 bad arguments, 3 IME not loaded.
#include <windows.h>
#include <shellapi.h>

#include <cwctype>
#include <filesystem>
#include <fstream>
#include <string>

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
    while (!done()) {
        if (GetTickCount() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

void Press(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
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
    HWND window = CreateWindowW(wc.lpszClassName, L"typewin", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300,
                                200, nullptr, nullptr, instance, nullptr);
    if (!GetModuleHandleW(argv[2])) return 3;
    const DWORD deadline = GetTickCount() + 20000;
    const bool front = Pump(deadline, [&] {
        SetForegroundWindow(window);
        SetFocus(window);
        return GetForegroundWindow() == window && GetFocus() == window;
    });
    if (front) {
        for (const wchar_t* letter = argv[3]; *letter; ++letter) Press(WORD(std::towupper(*letter)));
        Press(VK_RETURN);
    }
    const bool done = front && Pump(deadline, [] { return enterSeen; });
    std::ofstream(std::filesystem::path(argv[4]), std::ios::binary)
        .write(reinterpret_cast<const char*>(typed.data()), std::streamsize(typed.size() * sizeof(wchar_t)));
    return done ? 0 : 1;
}
