// Install benchmark, run under Wine from the root of a medium: the popular edition's whole
// install (existence tests, copies, slide-out, registration) against a raw copy of the same
// two files plus one registration. Both start each run with the files absent.
//   install_bench.exe [runs]        prints "install_ms <median>" and "raw_ms <median>"
#include <windows.h>

#include <imm.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/Probe.h"
#include "install/Catalogue.h"
#include "menu/Form2.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Platform.h"

namespace {

double MedianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& run) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QueryPerformanceCounter(&start);
        run();
        QueryPerformanceCounter(&end);
        times.push_back(double(end.QuadPart - start.QuadPart) * 1000 / double(frequency.QuadPart));
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[runs / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? _wtoi(argv[1]) : 21;
    lcime::win32::Win32Platform platform;
    lcime::Module1 state;
    if (!lcime::RunProbe(platform, state)) return 1;
    const lcime::ImeEdition& edition = lcime::EditionFor(lcime::ControlId::Image6b);
    const std::wstring sys = lcime::win32::Wide(state.gSysDir);
    const std::wstring ime = std::wstring(edition.nt.imeFile.begin(), edition.nt.imeFile.end());
    const std::wstring mb = std::wstring(edition.nt.codeTableFile.begin(), edition.nt.codeTableFile.end());
    auto removeCopies = [&] {
        DeleteFileW((sys + ime).c_str());
        DeleteFileW((sys + mb).c_str());
    };

    const double install = MedianMs(runs, removeCopies, [&] {
        lcime::Form2 form(platform, state);
        lcime::InstallImeEdition(edition, state, platform, form);
    });
    const double raw = MedianMs(runs, removeCopies, [&] {
        CopyFileW((L"\\IMEData\\" + ime).c_str(), (sys + ime).c_str(), FALSE);
        CopyFileW((L"\\IMEData\\" + mb).c_str(), (sys + mb).c_str(), FALSE);
        std::wstring path = sys + ime;
        std::wstring text = lcime::win32::Wide(edition.layoutText);
        ImmInstallIMEW(path.data(), text.data());
    });
    std::printf("install_ms %.3f\nraw_ms %.3f\n", install, raw);
    return 0;
}
