// Stands in for the tutorial setup programs on the demo installation medium: on start it
// appends the line "started show=<n>" to standin.log in its own folder, where n is the window
// show state its starter asked for (STARTUPINFOW.wShowWindow, or -1 when STARTF_USESHOWWINDOW
// is not set), and ends with exit code 0. The end-to-end tests read the log to see that the
// installer started the program and how.

#include <windows.h>

#include <string>

#include "platform/win32/Handles.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    GetStartupInfoW(&si);
    int show = (si.dwFlags & STARTF_USESHOWWINDOW) ? (int)si.wShowWindow : -1;

    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return 1;
    std::wstring log(path, n);
    log.erase(log.find_last_of(L"\\/") + 1);
    log += L"standin.log";

    char line[64];
    int len = wsprintfA(line, "started show=%d\n", show);
    const lcime::win32::UniqueFile file(CreateFileW(log.c_str(), FILE_APPEND_DATA,
                                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return 1;
    DWORD written = 0;
    BOOL ok = WriteFile(file.get(), line, (DWORD)len, &written, nullptr);
    return ok && written == (DWORD)len ? 0 : 1;
}
