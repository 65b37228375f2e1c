// DLLs named like system DLLs, planted beside Setup.exe and preferred to Wine's own for it, are
// never loaded while the menu is used; a control program beside them loads every one, which shows
// that the check can fail. Setup.exe stands in a download folder of a long Chinese name and is
// started with another drive current: it finds the medium beside itself.
#include "Fixture.h"

namespace lcime::e2e {

using DllSearch = E2eTest;

TEST_F(DllSearch, SetupInAFolderLoadsNoneWhileItsMenuIsUsedWhereAControlProgramLoadsEveryOne) {
    const fs::path folder = Medium() / L"岚辰输入法 安装盘 (2026 版)";
    fs::create_directory(folder);
    LayOutMedium(folder);
    // The control program, built beside the planted DLLs, is copied beside Setup.exe with them.
    const fs::path builtControl = OnZ(LCIME_PLANTED_CONTROL), control = folder / builtControl.filename();
    const std::wstring programs[] = {L"Setup.exe", control.filename()};
    ASSERT_TRUE(CopyFileW(builtControl.c_str(), control.c_str(), FALSE));
    std::vector<std::wstring> planted;
    for (const auto& entry : fs::directory_iterator(builtControl.parent_path())) {
        if (entry.path().extension() != L".dll") continue;
        planted.push_back(entry.path().stem());
        ASSERT_TRUE(CopyFileW(entry.path().c_str(), (folder / entry.path().filename()).c_str(), FALSE));
        ASSERT_TRUE(RemoveFile(folder / (planted.back() + L".dll.loaded")));
        // Wine prefers the planted copies to its own for these two programs.
        for (const std::wstring& program : programs) {
            const std::wstring key = L"Software\\Wine\\AppDefaults\\" + program + L"\\DllOverrides";
            ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), planted.back().c_str(), REG_SZ,
                                      L"native,builtin", sizeof(L"native,builtin")), ERROR_SUCCESS);
        }
    }
    auto loaded = [&] {
        return std::count_if(planted.begin(), planted.end(),
                             [&](const std::wstring& dll) { return fs::exists(folder / (dll + L".dll.loaded")); });
    };

    const MenuItem &simplified = Item(ControlId::Image4a), &tutorial = Item(ControlId::Image2a);
    ASSERT_TRUE(menu.Start(SW_SHOWDEFAULT, folder, L"C:\\") && Install(simplified));
    ASSERT_NO_FATAL_FAILURE(ExpectInstalled(simplified));
    ASSERT_TRUE(menu.Click(tutorial.normalPicture) &&
                Poll([&] { return StartedOnceMinimized(*tutorial.tutorial, folder); }));
    ASSERT_TRUE(menu.ClickBanner() && menu.Dismiss(kCopyrightNotice) && menu.Exit());
    EXPECT_TRUE(!planted.empty() && loaded() == 0) << "none planted, or some loaded";

    Process program;
    DWORD exitCode = 1;
    ASSERT_TRUE(program.Start(L"\"" + control.wstring() + L"\"", folder) && program.WaitExit(exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(loaded(), std::ptrdiff_t(planted.size()));
}

}  // namespace lcime::e2e
