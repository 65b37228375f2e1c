// An installed edition is an input method a user can type with, and the notice dialog keeps
// its texts while that input method is active in the installer.
#include "menu/MenuSession.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cwctype>

#include "Medium.h"
#include "platform/win32/Handles.h"

namespace lcime::e2e {
namespace {

using namespace robot;

std::vector<demo::CodeTableLine> TableOf(const ImeEdition& edition) {
    return demo::CodeTableLines(std::filesystem::path(edition.nt.codeTableFile).stem().string());
}

KeyboardLayout LayoutOf(const ImeEdition& edition) {
    for (const KeyboardLayout& layout : KeyboardLayouts())
        if (layout.layoutText == Wide(edition.layoutText)) return layout;
    return {};
}

// Runs typewin: it activates the layout, presses the letters and Enter, and reports the text.
std::string TypeWith(const KeyboardLayout& layout, const std::string& letters) {
    const auto program = std::filesystem::path(L"Z:" + Wide(LCIME_TYPEWIN)).make_preferred();
    const std::filesystem::path here = std::filesystem::current_path();
    const std::filesystem::path report = here / L"typed.txt";
    Process typewin;
    DWORD exitCode = 2;
    EXPECT_TRUE(RemoveFile(report) &&
                typewin.Start(L"\"" + program.wstring() + L"\" " + layout.key + L" \"" + layout.imeFile + L"\" " +
                                  Wide(letters) + L" \"" + report.wstring() + L"\"", here) &&
                typewin.WaitExit(exitCode, kFirstWindowMs));
    EXPECT_EQ(exitCode, 0u) << "1: the Enter after the letters never came; 3: the IME was not loaded";
    const std::string bytes = ReadFileBytes(report);
    return Utf8({reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t)});
}

bool ModuleLoaded(DWORD pid, const std::wstring& file) {
    HANDLE raw = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (raw == INVALID_HANDLE_VALUE) return false;
    const win32::UniqueHandle snapshot(raw);
    MODULEENTRY32W module = {};
    module.dwSize = sizeof(module);
    for (BOOL more = Module32FirstW(snapshot.get(), &module); more; more = Module32NextW(snapshot.get(), &module))
        if (lstrcmpiW(module.szExePath, file.c_str()) == 0) return true;
    return false;
}

bool TypeLetters(HWND window, const std::string& letters) {
    for (char letter : letters)
        if (!Keys(window, {WORD(std::towupper(letter))})) return false;
    return true;
}

using ImeTest = E2eTest;

TEST_F(ImeTest, InstalledEditionTypesItsTableAndNothingWithoutIt) {
    for (const ImeEdition* edition : {&EditionAt(ControlId::Image6a), LargeCharacterSetEditions()[0]}) {
        SCOPED_TRACE(edition->edition);
        if (edition != &EditionAt(ControlId::Image6a)) {
            ASSERT_NO_FATAL_FAILURE(SetUp());
        }
        ASSERT_TRUE(menu.Start() && Install(*edition));
        ASSERT_NO_FATAL_FAILURE(ExpectInstalled(*edition));
        menu.process.Kill();
        const KeyboardLayout layout = LayoutOf(*edition);
        std::string letters, texts;
        for (const demo::CodeTableLine& line : TableOf(*edition)) {
            letters += line.code;
            texts += line.text;
        }
        EXPECT_EQ(TypeWith(layout, letters), texts);
        ASSERT_TRUE(RemoveFile(Installed(edition->nt.codeTableFile)));
        EXPECT_EQ(TypeWith(layout, letters), letters) << "typed without its code table";
    }
}

// The three ways the notice closes, each over the IME: the text boxes take no text from it
// (checked at the first opening), and the menu comes back to the front.
TEST_F(ImeTest, NoticeUnderTheImeKeepsItsTextsAndGivesTheMenuBack) {
    const ImeEdition& popular = EditionAt(ControlId::Image6a);
    ASSERT_TRUE(menu.Start() && Install(popular));
    ASSERT_NO_FATAL_FAILURE(ExpectInstalled(popular));
    menu.process.Kill();
    const KeyboardLayout layout = LayoutOf(popular);
    const std::vector<demo::CodeTableLine> table = TableOf(popular);
    const std::vector<const ImeEdition*> large = LargeCharacterSetEditions();
    for (CloseBy way : {CloseBy::OkButton, CloseBy::CloseBox, CloseBy::AltF4}) {
        SCOPED_TRACE(static_cast<int>(way));
        if (way != CloseBy::CloseBox) {
            ASSERT_TRUE(menu.Start());
            // Asks Setup.exe's thread to switch to the layout, then types a code on the menu:
            // the switch happens at that key, which loads the IME into Setup.exe.
            ASSERT_TRUE(PostMessageW(menu.window, WM_INPUTLANGCHANGEREQUEST, 0, wcstoul(layout.key.c_str(), nullptr, 16)));
            ASSERT_TRUE(TypeLetters(menu.window, table[0].code));
            ASSERT_TRUE(Poll([&] { return ModuleLoaded(menu.process.id, layout.imeFile); })) << "IME not loaded";
        }
        const ImeEdition& edition = *large[static_cast<int>(way) % large.size()];
        ASSERT_TRUE(menu.Click(edition.normalPicture));
        HWND notice = menu.WaitNotice();
        ASSERT_TRUE(notice && Poll([&] { return GetForegroundWindow() == notice; }));
        if (way == CloseBy::OkButton) {
            ASSERT_NO_FATAL_FAILURE(ExpectNoticeBoxesKeepTheirTexts(notice, [&](HWND box) {
                return std::all_of(table.begin(), table.end(), [&](const auto& line) { return TypeLetters(box, line.code); });
            }));
        }
        ASSERT_TRUE(menu.CloseNotice(way));
        EXPECT_TRUE(menu.Shown(edition.resultLabel)) << "no result line";
        EXPECT_TRUE(menu.InFront());
        if (way == CloseBy::CloseBox) menu.process.Kill();
    }
}

}  // namespace
}  // namespace lcime::e2e
