// DLLs named like system DLLs, planted beside Setup.exe and preferred to Wine's own for it,
// are never loaded while the menu is used; a control program beside them loads every one,
// which shows that the check can fail.
#include "Fixture.h"

namespace lcime::e2e {

using DllSearch = E2eTest;

TEST_F(DllSearch, SetupLoadsNoneWhileItsMenuIsUsedWhereAControlProgramLoadsEveryOne) {
    // The control program, built beside the planted DLLs, is copied beside Setup.exe with them.
    const fs::path builtControl = OnZ(LCIME_PLANTED_CONTROL), control = Medium() / builtControl.filename();
    const std::wstring programs[] = {L"Setup.exe", control.filename()};
    ASSERT_TRUE(CopyFileW(builtControl.c_str(), control.c_str(), FALSE));
    std::vector<std::wstring> planted;
    for (const auto& entry : fs::directory_iterator(builtControl.parent_path())) {
        if (entry.path().extension() != L".dll") continue;
        planted.push_back(entry.path().stem());
        ASSERT_TRUE(CopyFileW(entry.path().c_str(), (Medium() / entry.path().filename()).c_str(), FALSE));
        ASSERT_TRUE(RemoveFile(Medium() / (planted.back() + L".dll.loaded")));
        // Wine prefers the planted copies to its own for these two programs.
        for (const std::wstring& program : programs) {
            const std::wstring key = L"Software\\Wine\\AppDefaults\\" + program + L"\\DllOverrides";
            ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), planted.back().c_str(), REG_SZ,
                                      L"native,builtin", sizeof(L"native,builtin")), ERROR_SUCCESS);
        }
    }
    auto loaded = [&] {
        return std::count_if(planted.begin(), planted.end(),
                             [](const std::wstring& dll) { return fs::exists(Medium() / (dll + L".dll.loaded")); });
    };

    const MenuItem& simplified = Item(ControlId::Image4a);
    ASSERT_TRUE(menu.Start() && Install(simplified));
    // The banner's box comes once the install has run.
    ASSERT_TRUE(menu.ClickBanner() && menu.Dismiss(kCopyrightNotice) && menu.Exit());
    EXPECT_FALSE(LayoutsOf(simplified.edition->nt.imeFile).empty());
    EXPECT_TRUE(!planted.empty() && loaded() == 0) << "none planted, or some loaded";

    Process program;
    DWORD exitCode = 1;
    ASSERT_TRUE(program.Start(L"\"" + control.wstring() + L"\"", Medium()) && program.WaitExit(exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(loaded(), std::ptrdiff_t(planted.size()));
}

}  // namespace lcime::e2e
