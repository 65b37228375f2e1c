// Start-up benchmark, run under Wine: starts a program again and again and measures the time
// from the start request until its window shows its finished picture at a client point.
// The first run only learns the colour that the point has once the window is painted.
//   start_bench.exe <program> <client-x> <client-y> [runs]
// Prints the median in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->process && IsWindowVisible(hwnd) && GetWindow(hwnd, GW_OWNER) == nullptr) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Starts the program, waits until the point shows `expected` (or, when `learn` is set, until
// the window has been visible for a second and then records the colour), ends the program.
double RunOnce(std::wstring program, POINT client, COLORREF& expected, bool learn) {
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, program.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "cannot start the program (error %lu)\n", GetLastError());
        ExitProcess(1);
    }
    double elapsed = -1;
    HDC screen = GetDC(nullptr);
    for (;;) {
        QueryPerformanceCounter(&now);
        if (Seconds(start, now) > 20) break;
        Search search{pi.dwProcessId, nullptr};
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            POINT p = client;
            ClientToScreen(search.found, &p);
            if (learn) {
                Sleep(1000);
                expected = GetPixel(screen, p.x, p.y);
                elapsed = 0;
                break;
            }
            if (GetPixel(screen, p.x, p.y) == expected) {
                QueryPerformanceCounter(&now);
                elapsed = Seconds(start, now) * 1000;
                break;
            }
        }
        Sleep(1);
    }
    ReleaseDC(nullptr, screen);
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return elapsed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: start_bench <program> <client-x> <client-y> [runs]\n");
        return 2;
    }
    const std::wstring program = std::wstring(L"\"") + argv[1] + L"\"";
    const POINT client = {_wtoi(argv[2]), _wtoi(argv[3])};
    const int runs = argc > 4 ? _wtoi(argv[4]) : 15;
    COLORREF expected = 0;
    RunOnce(program, client, expected, true);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = RunOnce(program, client, expected, false);
        if (ms < 0) {
            std::fprintf(stderr, "the window never showed its picture\n");
            return 1;
        }
        times.push_back(ms);
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    std::printf("%.1f\n", times[runs / 2]);
    return 0;
}
