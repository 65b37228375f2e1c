// An installed edition is an input method a user can type with, and the notice dialog keeps
// its texts while that input method is active in the installer.
#include "menu/MenuSession.h"

#include <tlhelp32.h>

namespace lcime::e2e {

std::vector<demo::CodeTableLine> TableOf(const ImeEdition& edition) {
    return demo::CodeTableLines(fs::path(edition.nt.codeTableFile).stem().string());
}
// Runs typewin: it activates the layout, presses the letters and Enter, and reports the text.
std::string TypeWith(const KeyboardLayout& layout, const std::string& letters) {
    const fs::path here = fs::current_path(), report = here / L"typed.txt";
    Process typewin;
    DWORD exitCode = 2;
    EXPECT_TRUE(RemoveFile(report) &&
                typewin.Start(L"\"" + OnZ(LCIME_TYPEWIN).wstring() + L"\" " + layout.key + L" \"" + layout.imeFile +
                                  L"\" " + Wide(letters) + L" \"" + report.wstring() + L"\"", here) &&
                typewin.WaitExit(exitCode, kFirstWindowMs));
    EXPECT_EQ(exitCode, 0u) << "1: the Enter after the letters never came; 3: the IME was not loaded";
    const std::string bytes = ReadFileBytes(report);
    return Utf8({reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t)});
}

bool ModuleLoaded(DWORD pid, const std::wstring& file) {
    const win32::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
    MODULEENTRY32W module = {};
    module.dwSize = sizeof(module);
    for (BOOL more = Module32FirstW(snapshot.get(), &module); more; more = Module32NextW(snapshot.get(), &module))
        if (lstrcmpiW(module.szExePath, file.c_str()) == 0) return true;
    return false;
}

bool TypeLetters(HWND window, const std::string& letters) {
    for (char letter : letters)
        if (!Keys(window, {WORD(toupper(letter))})) return false;
    return true;
}

using ImeTest = E2eTest;

TEST_F(ImeTest, NoticeUnderTheImeKeepsItsTextsThenEditionsTypeTheirTablesAndNothingWithoutThem) {
    const ImeEdition& popular = EditionAt(ControlId::Image6a);
    const ImeEdition* large[] = {&EditionAt(ControlId::Image4a), &EditionAt(ControlId::Imagefa)};
    ASSERT_TRUE(menu.Start() && Install(popular));
    ASSERT_NO_FATAL_FAILURE(ExpectInstalled(popular));
    menu.process.Kill();
    const KeyboardLayout layout = LayoutsOf(popular.nt.imeFile).at(0);
    const std::vector<demo::CodeTableLine> table = TableOf(popular);

    // The three ways the notice closes, each over the IME: the text boxes take no text from it
    // (checked at the first opening), and the menu comes back to the front.
    for (CloseBy way : {CloseBy::OkButton, CloseBy::CloseBox, CloseBy::AltF4}) {
        SCOPED_TRACE(static_cast<int>(way));
        if (way != CloseBy::CloseBox) {
            ASSERT_TRUE(menu.Start());
            // Asks Setup.exe's thread to switch to the layout, then types a code on the menu:
            // the switch happens at that key, which loads the IME into Setup.exe.
            const LPARAM hkl = wcstoul(layout.key.c_str(), nullptr, 16);
            ASSERT_TRUE(PostMessageW(menu.window, WM_INPUTLANGCHANGEREQUEST, 0, hkl));
            ASSERT_TRUE(TypeLetters(menu.window, table[0].code));
            ASSERT_TRUE(Poll([&] { return ModuleLoaded(menu.process.id, layout.imeFile); })) << "IME not loaded";
        }
        const ImeEdition& edition = *large[static_cast<int>(way) % 2];
        ASSERT_NO_FATAL_FAILURE(ShowAndCloseNotice(edition, way, [&](HWND box) {
            return std::all_of(table.begin(), table.end(), [&](auto& line) { return TypeLetters(box, line.code); });
        }));
        if (way != CloseBy::OkButton) menu.process.Kill();
    }

    for (const ImeEdition* edition : {&popular, large[0]}) {
        SCOPED_TRACE(edition->edition);
        const std::vector<KeyboardLayout> layouts = LayoutsOf(edition->nt.imeFile);
        ASSERT_FALSE(layouts.empty());
        std::string letters, texts;
        for (const demo::CodeTableLine& line : TableOf(*edition)) {
            letters += line.code;
            texts += line.text;
        }
        EXPECT_EQ(TypeWith(layouts[0], letters), texts);
        ASSERT_TRUE(RemoveFile(Installed(edition->nt.codeTableFile)));
        EXPECT_EQ(TypeWith(layouts[0], letters), letters) << "typed without its code table";
    }
}

}  // namespace lcime::e2e
