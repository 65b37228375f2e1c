// A DLL planted beside a program under the name of a system DLL. When a program loads it, it
// leaves "<its file name>.loaded" in its folder, which the DLL search test looks for. Its one
// export lets the control program import it.
#include <windows.h>

#include "platform/win32/Handles.h"

extern "C" __declspec(dllexport) int PLANTED_ENTRY() { return 1; }

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(module, path, MAX_PATH - 8);
    if (n == 0 || n >= MAX_PATH - 8) return TRUE;
    lstrcatW(path, L".loaded");
    const lcime::win32::UniqueFile marker(
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return TRUE;
}
