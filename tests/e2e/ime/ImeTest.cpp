// An installed edition is an input method a user can type with; with that input method active
// in the installer, the notice dialog keeps its texts, still copies, closes each of its three ways
// and gives the menu back.
#include "Fixture.h"

#include <tlhelp32.h>

namespace lcime::e2e {

// The typing programs: one of this suite's bitness and, beside an i686 suite, a 64-bit one.
const char* const kTypewins[] = {LCIME_TYPEWINS};

// Runs a typewin: it activates the layout, presses the letters and Enter, and reports the text.
std::string TypeWith(const std::string& program, const KeyboardLayout& layout, const std::string& letters) {
    const fs::path here = fs::current_path(), report = here / L"typed.txt";
    Process typewin;
    DWORD exitCode = 2;
    EXPECT_TRUE(RemoveFile(report) &&
                typewin.Start(L"\"" + OnZ(program.c_str()).wstring() + L"\" " + layout.key + L" \"" + layout.imeFile +
                                  L"\" " + Wide(letters) + L" \"" + report.wstring() + L"\"", here) &&
                typewin.WaitExit(exitCode, kFirstWindowMs));
    EXPECT_EQ(exitCode, 0u) << "1: the Enter after the letters never came; 3: the IME was not loaded";
    const std::string bytes = ReadFileBytes(report);
    return Utf8({reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t)});
}

bool ModuleLoaded(DWORD pid, const std::wstring& file) {
    const win32::UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
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

TEST_F(ImeTest, AnEditionTypesItsTableThenTheNoticeUnderItKeepsItsTexts) {
    const MenuItem& popular = Item(ControlId::Image6a);
    const MenuItem* large[] = {&Item(ControlId::Image4a), &Item(ControlId::Imagefa)};
    ASSERT_TRUE(menu.Start() && Install(popular));
    ASSERT_NO_FATAL_FAILURE(ExpectInstalled(popular));
    menu.process.Kill();
    const KeyboardLayout layout = LayoutsOf(popular.edition->nt.imeFile).at(0);
    const std::vector<demo::CodeTableLine> table =
        demo::CodeTableLines(fs::path(popular.edition->nt.codeTableFile).stem().string());
    std::string letters, texts;
    for (const demo::CodeTableLine& line : table) {
        letters += line.code;
        texts += line.text;
    }
    // Each program loads the build of its own bitness, with the code table beside it.
    for (const std::string program : kTypewins) EXPECT_EQ(TypeWith(program, layout, letters), texts) << program;

    // The notice of a large-character-set item, closed each of its three ways, by the close box in
    // a run without the IME as most users meet it: owned by the menu, with its frames; then the
    // menu is in front again and the install goes on (its result line can show while the pictures
    // slide, before the registration, so the registry is what tells). At the first opening, in each text box: select from the left with
    // the mouse, type codes of the IME and press editing keys, copy. The text stays and the copy is
    // its start, which also shows that the keys before it were handled.
    for (CloseBy way : {CloseBy::OkButton, CloseBy::CloseBox, CloseBy::AltF4}) {
        SCOPED_TRACE(static_cast<int>(way));
        ASSERT_TRUE(menu.Start());
        if (way != CloseBy::CloseBox) {
            // Asks Setup.exe's thread to switch to the layout, then types a code on the menu:
            // the switch happens at that key, which loads the IME into Setup.exe.
            const LPARAM hkl = wcstoul(layout.key.c_str(), nullptr, 16);
            ASSERT_TRUE(PostMessageW(menu.window, WM_INPUTLANGCHANGEREQUEST, 0, hkl));
            ASSERT_TRUE(TypeLetters(menu.window, table[0].code));
            ASSERT_TRUE(Poll([&] { return ModuleLoaded(menu.process.id, layout.imeFile); })) << "IME not loaded";
        }
        const MenuItem& item = *large[static_cast<int>(way) % 2];
        const size_t registered = LayoutsOf(item.edition->nt.imeFile).size();
        ASSERT_TRUE(menu.Click(item.normalPicture));
        HWND notice = menu.WaitNotice();
        ASSERT_TRUE(notice && Poll([&] { return GetForegroundWindow() == notice; }));
        EXPECT_EQ(GetWindow(notice, GW_OWNER), menu.window);
        for (std::string_view frame : {kFrame1Caption, kFrame2Caption})
            EXPECT_TRUE(ChildWithText(notice, L"Button", frame)) << frame;
        for (std::string_view text : kText1) {
            if (way != CloseBy::OkButton) break;
            HWND box = ChildWithText(notice, L"Edit", text);
            RECT r = {};
            ASSERT_TRUE(box && GetClientRect(box, &r)) << text;
            ASSERT_TRUE(EmptyTheClipboard());
            ASSERT_TRUE(MoveTo(box, {1, r.bottom / 2}) && Send({Mouse(MOUSEEVENTF_LEFTDOWN)}) &&
                        MoveTo(box, {r.right - 2, r.bottom / 2}) && Send({Mouse(MOUSEEVENTF_LEFTUP)}));
            for (const demo::CodeTableLine& line : table) ASSERT_TRUE(TypeLetters(box, line.code));
            ASSERT_TRUE(Keys(box, {VK_BACK}) && Keys(box, {VK_DELETE}) && Keys(box, {VK_RETURN}) &&
                        Keys(box, {VK_CONTROL, 'X'}) && Keys(box, {VK_CONTROL, 'V'}) && Keys(box, {VK_CONTROL, 'C'}));
            const std::wstring copied = WaitClipboardText();
            EXPECT_FALSE(copied.empty()) << "nothing copied";
            EXPECT_EQ(Wide(text).rfind(copied, 0), 0u) << Utf8(copied);
            EXPECT_EQ(Utf8(TextOf(box)), text);
        }
        ASSERT_TRUE(menu.CloseNotice(way));
        EXPECT_TRUE(menu.InFront());
        EXPECT_TRUE(Poll([&] {  // once more, with its values
            const std::vector<KeyboardLayout> layouts = LayoutsOf(item.edition->nt.imeFile);
            return layouts.size() > registered && !layouts.back().layoutText.empty();
        })) << "not registered";
        menu.process.Kill();
    }
}

}  // namespace lcime::e2e
