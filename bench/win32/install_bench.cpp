// Install benchmark, run under Wine from the root of a medium: the popular edition's whole
// install (existence tests, copies, slide-out, registration) against a raw copy of the same
// two files plus one registration. Both start each run with the files absent and without the
// layout the run before registered, so that every run meets the same registry.
//   install_bench.exe [runs]        prints "install_ms <median>" and "raw_ms <median>"
#include <windows.h>

#include <imm.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/Probe.h"
#include "install/InstallImeEdition.h"
#include "menu/Form2.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Platform.h"

namespace {

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) * 1000 / double(frequency.QuadPart);
}

// Deletes the keyboard layouts whose IME file is `imeFile`.
void RemoveLayouts(const std::wstring& imeFile) {
    const wchar_t* const kLayouts = L"System\\CurrentControlSet\\Control\\Keyboard Layouts";
    HKEY opened;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kLayouts, 0, KEY_READ | KEY_WRITE, &opened) != ERROR_SUCCESS) return;
    const lcime::win32::UniqueKey layouts(opened);
    std::vector<std::wstring> doomed;
    wchar_t name[64];
    for (DWORD i = 0;; ++i) {
        DWORD length = 64;
        if (RegEnumKeyExW(layouts.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        wchar_t file[MAX_PATH] = {};
        DWORD bytes = sizeof(file) - sizeof(wchar_t);
        if (RegGetValueW(layouts.get(), name, L"Ime File", RRF_RT_REG_SZ, nullptr, file, &bytes) == ERROR_SUCCESS &&
            lstrcmpiW(file, imeFile.c_str()) == 0)
            doomed.push_back(name);
    }
    for (const std::wstring& key : doomed) RegDeleteKeyW(layouts.get(), key.c_str());
}

double Median(std::vector<double> times) {
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? _wtoi(argv[1]) : 21;
    lcime::win32::Win32Platform platform;
    lcime::Module1 state;
    if (!lcime::RunProbe(platform, state)) return 1;
    const lcime::MenuItem& item = *lcime::ItemOf(lcime::ControlId::Image6b);  // the popular edition
    const lcime::ImeEdition& edition = *item.edition;
    const std::wstring sys = lcime::win32::Wide(state.gSysDir);
    const std::wstring ime = std::wstring(edition.nt.imeFile.begin(), edition.nt.imeFile.end());
    const std::wstring mb = std::wstring(edition.nt.codeTableFile.begin(), edition.nt.codeTableFile.end());
    auto removeCopies = [&] {
        DeleteFileW((sys + ime).c_str());
        DeleteFileW((sys + mb).c_str());
        RemoveLayouts(ime);
        RemoveLayouts(sys + ime);
    };

    // The two are measured in turns, so that whatever else changes on the machine weighs on
    // both alike.
    std::vector<double> installs, raws;
    for (int i = 0; i < runs; ++i) {
        removeCopies();
        lcime::Form2 form(platform, state);
        double start = Now();
        lcime::InstallImeEdition(edition, item, state, platform, form);
        installs.push_back(Now() - start);
        if (!form.scene()[item.resultLabel].visible || GetFileAttributesW((sys + mb).c_str()) == INVALID_FILE_ATTRIBUTES) {
            std::fprintf(stderr, "the install did not complete\n");
            return 1;
        }

        removeCopies();
        start = Now();
        CopyFileW((L"\\IMEData\\" + ime).c_str(), (sys + ime).c_str(), FALSE);
        CopyFileW((L"\\IMEData\\" + mb).c_str(), (sys + mb).c_str(), FALSE);
        std::wstring path = sys + ime;
        std::wstring text = lcime::win32::Wide(edition.layoutText);
        ImmInstallIMEW(path.data(), text.data());
        raws.push_back(Now() - start);
    }
    const double install = Median(installs), raw = Median(raws);
    std::printf("install_ms %.3f\nraw_ms %.3f\n", install, raw);
    return 0;
}
