// Start-up benchmark, run under Wine: starts several programs in turn, again and again, and
// measures for each the time from the start request until its window is idle and shows its
// finished picture at a client point. Taking turns spreads the machine's changing load evenly
// over the programs. The first start of each only learns the colour its point has once painted.
//   start_bench.exe <runs> <program> <client-x> <client-y> [<program> <client-x> <client-y>]...
// Prints one line per program: "<median> <lower quartile> <upper quartile> <fastest>" in ms.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"

namespace {

struct Program {
    std::wstring commandLine;
    POINT client;
    COLORREF painted = 0;
    std::vector<double> times;
};

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

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) * 1000 / double(frequency.QuadPart);
}

// Starts the program and waits until it is idle with its point showing the painted colour (or,
// when learning, until its window has been visible for a second, then records the colour).
// Returns the milliseconds taken, or -1 when the window did not get there within 20 s.
double RunOnce(Program& program, bool learn) {
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::wstring commandLine = program.commandLine;
    const double start = Now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "cannot start %ls (error %lu)\n", program.commandLine.c_str(), GetLastError());
        ExitProcess(1);
    }
    const lcime::win32::UniqueHandle process(pi.hProcess), thread(pi.hThread);
    const lcime::win32::UniqueScreenDc screen(GetDC(nullptr));
    double elapsed = -1;
    while (Now() - start < 20000) {
        Search search{pi.dwProcessId, nullptr};
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            POINT p = program.client;
            ClientToScreen(search.found, &p);
            if (learn) {
                Sleep(1000);
                program.painted = GetPixel(screen.get(), p.x, p.y);
                elapsed = 0;
                break;
            }
            if (GetPixel(screen.get(), p.x, p.y) == program.painted && WaitForInputIdle(process.get(), 0) == 0) {
                elapsed = Now() - start;
                break;
            }
        }
        Sleep(1);
    }
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 5000);
    return elapsed;
}

double Quantile(std::vector<double> times, double q) {
    const size_t i = static_cast<size_t>(q * double(times.size() - 1) + 0.5);
    std::nth_element(times.begin(), times.begin() + i, times.end());
    return times[i];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5 || (argc - 2) % 3 != 0) {
        std::fprintf(stderr, "usage: start_bench <runs> <program> <client-x> <client-y> [...]\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    std::vector<Program> programs;
    for (int i = 2; i < argc; i += 3) {
        Program program;
        program.commandLine = std::wstring(L"\"") + argv[i] + L"\"";
        program.client = {_wtoi(argv[i + 1]), _wtoi(argv[i + 2])};
        programs.push_back(program);
    }
    for (Program& program : programs) RunOnce(program, true);
    // Each round starts with the next program, so that none always follows the same one.
    for (int run = 0; run < runs; ++run) {
        for (size_t k = 0; k < programs.size(); ++k) {
            Program& program = programs[(run + k) % programs.size()];
            const double ms = RunOnce(program, false);
            if (ms < 0) {
                std::fprintf(stderr, "%ls never showed its picture\n", program.commandLine.c_str());
                return 1;
            }
            program.times.push_back(ms);
        }
    }
    for (const Program& program : programs) {
        std::printf("%.1f %.1f %.1f %.1f\n", Quantile(program.times, 0.5), Quantile(program.times, 0.25),
                    Quantile(program.times, 0.75), Quantile(program.times, 0));
    }
    return 0;
}
