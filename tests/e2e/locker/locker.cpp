// Holds a file open without sharing, as a running program holds an IME it has loaded, so that
// the end-to-end tests can see the installer meet a destination in use.
//   locker.exe <path>      prints "locked" once the file is held, then waits to be killed
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::printf("error %lu\n", GetLastError());
        return 1;
    }
    std::printf("locked\n");
    std::fflush(stdout);
    Sleep(INFINITE);
    return 0;
}
