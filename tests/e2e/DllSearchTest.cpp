// DLLs named like system DLLs, planted beside Setup.exe and preferred to Wine's own for it,
// are never loaded while the menu is used; a control program beside them loads every one,
// which shows that the check can fail.
#include "menu/MenuSession.h"

namespace lcime::e2e {
namespace {

class DllSearch : public E2eTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(E2eTest::SetUp());
        for (const auto& entry : fs::directory_iterator(control_.parent_path())) {
            if (entry.path().extension() != L".dll") continue;
            planted_.push_back(entry.path().stem());
            ASSERT_TRUE(CopyFileW(entry.path().c_str(), (Medium() / entry.path().filename()).c_str(), FALSE));
            ASSERT_TRUE(RemoveFile(Medium() / (planted_.back() + L".dll.loaded")));
        }
        ASSERT_FALSE(planted_.empty());
    }

    // Makes Wine prefer the planted copies to its own for the program of that file name.
    void PreferPlanted(const std::wstring& program) const {
        const std::wstring key = L"Software\\Wine\\AppDefaults\\" + program + L"\\DllOverrides";
        for (const std::wstring& dll : planted_)
            ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), dll.c_str(), REG_SZ, L"native,builtin",
                                      sizeof(L"native,builtin")), ERROR_SUCCESS);
    }

    std::vector<std::wstring> Loaded() const {
        std::vector<std::wstring> loaded;
        for (const std::wstring& dll : planted_)
            if (fs::exists(Medium() / (dll + L".dll.loaded"))) loaded.push_back(dll);
        return loaded;
    }

    // The control program, built beside the planted DLLs.
    const fs::path control_ = OnZ(LCIME_PLANTED_CONTROL);
    std::vector<std::wstring> planted_;
};

TEST_F(DllSearch, SetupLoadsNoneWhileItsMenuIsUsed) {
    PreferPlanted(L"Setup.exe");
    ASSERT_TRUE(menu.Start());
    ASSERT_TRUE(Install(EditionAt(ControlId::Image4a)));
    // The banner's box comes once the install has run.
    ASSERT_TRUE(menu.ClickBanner() && menu.Dismiss(kCopyrightNotice));
    EXPECT_TRUE(menu.Exit());
    EXPECT_FALSE(LayoutsOf(EditionAt(ControlId::Image4a).nt.imeFile).empty());
    EXPECT_EQ(Loaded(), std::vector<std::wstring>{});
}

TEST_F(DllSearch, ControlProgramBesideThemLoadsEveryOne) {
    const fs::path control = Medium() / control_.filename();
    ASSERT_TRUE(CopyFileW(control_.c_str(), control.c_str(), FALSE));
    PreferPlanted(control.filename());
    Process program;
    DWORD exitCode = 1;
    ASSERT_TRUE(program.Start(L"\"" + control.wstring() + L"\"", Medium()) && program.WaitExit(exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(Loaded(), planted_);
}

}  // namespace
}  // namespace lcime::e2e
