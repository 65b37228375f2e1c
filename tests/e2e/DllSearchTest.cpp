// DLLs named like system DLLs, planted beside Setup.exe and preferred to Wine's own for it,
// are never loaded while the menu is used; a control program beside them loads every one,
// which shows that the check can fail.
#include <algorithm>

#include "bad_input/SetupMenu.h"

namespace lcime::e2e {
namespace {

namespace fs = std::filesystem;

const wchar_t kAppDefaults[] = L"Software\\Wine\\AppDefaults";

// The control program, built beside the planted DLLs, by its Unix path on drive Z:.
fs::path Control() { return L"Z:" + robot::Wide(LCIME_PLANTED_CONTROL); }

class DllSearch : public testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kAppDefaults);
        robot::RemoveImeLayouts();
        robot::LayOutMedium();
        for (const auto& entry : fs::directory_iterator(Control().parent_path())) {
            if (entry.path().extension() != L".dll") continue;
            planted_.push_back(entry.path().stem());
            ASSERT_TRUE(CopyFileW(entry.path().c_str(), (robot::Medium() / entry.path().filename()).c_str(), FALSE));
            robot::RemoveFile(Marker(planted_.back()));
        }
        ASSERT_FALSE(planted_.empty());
    }

    static fs::path Marker(const std::wstring& dll) { return robot::Medium() / (dll + L".dll.loaded"); }

    // Makes Wine prefer the planted copies to its own for the program of that file name.
    void PreferPlanted(const std::wstring& program) const {
        const std::wstring key = std::wstring(kAppDefaults) + L"\\" + program + L"\\DllOverrides";
        for (const std::wstring& dll : planted_)
            ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), dll.c_str(), REG_SZ, L"native,builtin",
                                      sizeof(L"native,builtin")), ERROR_SUCCESS);
    }

    std::vector<std::wstring> Loaded() const {
        std::vector<std::wstring> loaded;
        for (const std::wstring& dll : planted_)
            if (GetFileAttributesW(Marker(dll).c_str()) != INVALID_FILE_ATTRIBUTES) loaded.push_back(dll);
        return loaded;
    }

    std::vector<std::wstring> planted_;
};

TEST_F(DllSearch, SetupLoadsNoneWhileItsMenuIsUsed) {
    PreferPlanted(L"Setup.exe");
    SetupMenu menu;
    ASSERT_TRUE(menu.Start());
    ASSERT_TRUE(menu.Click(ControlId::Image4a));
    menu.CloseNotice();
    // The banner's box comes once the install has run.
    ASSERT_TRUE(menu.Rest() && robot::Click(menu.window, Centre(ControlId::Imagebt)));
    menu.Dismiss(std::string(kCopyrightNotice));
    ASSERT_TRUE(menu.Click(ControlId::Image8a));
    DWORD exitCode = 1;
    ASSERT_TRUE(menu.process.WaitExit(exitCode));
    EXPECT_EQ(exitCode, 0u);
    const auto layouts = robot::KeyboardLayouts();
    EXPECT_TRUE(std::any_of(layouts.begin(), layouts.end(), [](const auto& l) { return !l.imeFile.empty(); }));
    EXPECT_EQ(Loaded(), std::vector<std::wstring>{});
}

TEST_F(DllSearch, ControlProgramBesideThemLoadsEveryOne) {
    const fs::path control = robot::Medium() / Control().filename();
    ASSERT_TRUE(CopyFileW(Control().c_str(), control.c_str(), FALSE));
    PreferPlanted(control.filename());
    robot::Process program;
    ASSERT_TRUE(program.Start(L"\"" + control.wstring() + L"\"", robot::Medium()));
    DWORD exitCode = 1;
    ASSERT_TRUE(program.WaitExit(exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(Loaded(), planted_);
}

}  // namespace
}  // namespace lcime::e2e
