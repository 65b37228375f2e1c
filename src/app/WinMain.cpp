// Program start on Windows: turns the system's own error boxes off, restricts where DLLs may
// come from, then runs the menu window.
#include <windows.h>

#include "app/Module1.h"
#include "install/Form1Dialog.h"
#include "menu/Form2.h"
#include "menu/Form2Window.h"
#include "platform/win32/Win32Platform.h"

namespace {

// The installer runs from a medium or a download folder that may hold planted DLLs: search
// only the system directory. Both calls are looked up at run time so that the loader does not
// refuse the program on a system that lacks them.
void RestrictDllSearch() {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
    using SetDirectory = BOOL(WINAPI*)(LPCWSTR);
    if (auto set = reinterpret_cast<SetDefaultDirectories>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))) {
        set(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    if (auto set = reinterpret_cast<SetDirectory>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDllDirectoryW")))) {
        set(L"");
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    // A medium taken out of its drive fails the operation at once and the program reports it,
    // instead of the system first asking for the disc in a box of its own.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    RestrictDllSearch();
    lcime::win32::Win32Platform platform;
    lcime::Module1 state;
    lcime::Form2 form(platform, state);
    lcime::win32::Form2Window window(instance, platform, form);
    form.showNotice = [instance, &window] { lcime::win32::ShowForm1(instance, window.hwnd()); };
    if (!window.Create(show)) return lcime::kExitStartFailed;

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
