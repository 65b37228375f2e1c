// A DLL planted beside Setup.exe on the demo medium under the name of a system DLL. If any
// program loads it, it leaves "<its file name>.loaded" in its folder, which the end-to-end
// tests look for. It exports nothing; a program that really needed it would fail, which is
// beside the point: being loaded at all is the fault.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(module, path, MAX_PATH - 8);
    if (n == 0 || n >= MAX_PATH - 8) return TRUE;
    lstrcatW(path, L".loaded");
    HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    return TRUE;
}
