// Install benchmark, run under Wine from the root of a medium: the popular edition's whole
// install (existence tests, copies, slide-out, registration) against a raw copy of the same
// files (on 64-bit Windows with the edition's 64-bit build on the medium, four) plus one
// registration. Both start each run with the files absent and without the
// layout the run before registered, so that every run meets the same registry. Given the list of
// the medium's files and sums a release builds into Setup.exe, the install checks its copies
// against it.
//   install_bench.exe [runs [list]]   prints "install_ms <median>" and "raw_ms <median>"
#include <windows.h>

#include <imm.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <vector>

#include "app/Probe.h"
#include "install/InstallImeEdition.h"
#include "install/Medium.h"
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

// The Win32 services with a release's list of the medium's files, read from a file.
class ReleasePlatform : public lcime::win32::Win32Platform {
public:
    explicit ReleasePlatform(const wchar_t* list) {
        if (!list) return;
        std::ifstream in(list, std::ios::binary);
        sums_ = std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::optional<std::string> ReleaseSums() override { return sums_; }

private:
    std::optional<std::string> sums_;
};

double Median(std::vector<double> times) {
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? _wtoi(argv[1]) : 21;
    ReleasePlatform platform(argc > 2 ? argv[2] : nullptr);
    lcime::Module1 state;
    if (!lcime::RunProbe(platform, state)) return 1;
    const lcime::MenuItem& item = *lcime::ItemOf(lcime::ControlId::Image6b);  // the popular edition
    const lcime::ImeEdition& edition = *item.edition;
    using lcime::Build;
    using lcime::win32::Wide;
    const std::wstring sys = Wide(state.gSysDir);
    const std::wstring ime = Wide(edition.nt.imeFile);
    // What the install copies: medium file and destination directory.
    const std::optional<lcime::Wow64Directories> wow64 = platform.SystemDirectoriesOf64BitWindows();
    const std::wstring medium = Wide(lcime::MediumRoot(platform));
    std::vector<std::pair<std::wstring, std::wstring>> copies = {
        {medium + Wide(lcime::MediumPath(edition.nt.imeFile)), wow64 ? Wide(wow64->for32Bit) : sys},
        {medium + Wide(lcime::MediumPath(edition.nt.codeTableFile)), wow64 ? Wide(wow64->for32Bit) : sys}};
    const std::wstring ime64 = medium + Wide(lcime::MediumPath(edition.nt.imeFile, Build::k64Bit));
    if (wow64 && !wow64->for64Bit.empty() && GetFileAttributesW(ime64.c_str()) != INVALID_FILE_ATTRIBUTES) {
        copies.push_back({ime64, Wide(wow64->for64Bit)});
        copies.push_back({copies[1].first, Wide(wow64->for64Bit)});
    }
    auto target = [&](const std::pair<std::wstring, std::wstring>& copy) {
        return copy.second + copy.first.substr(copy.first.find_last_of(L'\\') + 1);
    };
    auto removeCopies = [&] {
        for (const auto& copy : copies) DeleteFileW(target(copy).c_str());
        RemoveLayouts(ime);
        RemoveLayouts(sys + ime);
    };
    std::printf("files %zu\n", copies.size());

    // The two are measured in turns, so that whatever else changes on the machine weighs on
    // both alike.
    std::vector<double> installs, raws;
    for (int i = 0; i < runs; ++i) {
        removeCopies();
        lcime::Form2 form(platform, state);
        double start = Now();
        lcime::InstallImeEdition(edition, item, state, platform, form);
        installs.push_back(Now() - start);
        if (!form.scene()[item.resultLabel].visible ||
            GetFileAttributesW(target(copies.back()).c_str()) == INVALID_FILE_ATTRIBUTES) {
            std::fprintf(stderr, "the install did not complete\n");
            return 1;
        }

        removeCopies();
        start = Now();
        for (const auto& copy : copies) {
            if (!CopyFileW(copy.first.c_str(), target(copy).c_str(), FALSE)) {
                std::fprintf(stderr, "a raw copy failed\n");
                return 1;
            }
        }
        std::wstring path = sys + ime;
        std::wstring text = Wide(edition.layoutText);
        ImmInstallIMEW(path.data(), text.data());
        raws.push_back(Now() - start);
    }
    const double install = Median(installs), raw = Median(raws);
    std::printf("install_ms %.3f\nraw_ms %.3f\n", install, raw);
    return 0;
}
