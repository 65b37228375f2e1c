// An installed edition is an input method a user can type with, and the notice dialog keeps
// its texts while that input method is active in the installer.
#include "../menu/MenuSession.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cwctype>

#include "Medium.h"
#include "install/Form1.h"

namespace lcime::e2e {
namespace {

using namespace robot;

const ImeEdition& EditionAt(ControlId normalPicture) {
    return *std::find_if(kImeEditions.begin(), kImeEditions.end(),
                         [&](const ImeEdition& e) { return e.normalPicture == normalPicture; });
}

std::vector<const ImeEdition*> LargeCharacterSetEditions() {
    std::vector<const ImeEdition*> large;
    for (const ImeEdition& edition : kImeEditions)
        if (edition.largeCharacterSet) large.push_back(&edition);
    return large;
}

std::vector<demo::CodeTableLine> TableOf(const ImeEdition& edition) {
    return demo::CodeTableLines(std::filesystem::path(edition.nt.codeTableFile).stem().string());
}

// The layout key an install registered, found by the edition's layout text.
KeyboardLayout LayoutOf(const ImeEdition& edition) {
    for (const KeyboardLayout& layout : KeyboardLayouts())
        if (layout.layoutText == Wide(edition.layoutText)) return layout;
    return {};
}

// Runs typewin: it activates the layout, presses the letters and Enter, and reports the text.
std::wstring TypeWith(const KeyboardLayout& layout, const std::string& letters) {
    std::wstring program = L"Z:" + Wide(LCIME_TYPEWIN);
    std::replace(program.begin(), program.end(), L'/', L'\\');
    const std::filesystem::path here = std::filesystem::current_path(), report = here / L"typed.txt";
    Process typewin;
    DWORD exitCode = 2;
    EXPECT_TRUE(RemoveFile(report) &&
                typewin.Start(L"\"" + program + L"\" " + layout.key + L" \"" + layout.imeFile + L"\" " +
                                  Wide(letters) + L" \"" + report.wstring() + L"\"", here) &&
                typewin.WaitExit(exitCode, kFirstWindowMs));
    EXPECT_EQ(exitCode, 0u) << "1: the Enter after the letters never came; 3: the IME was not loaded";
    const std::string bytes = ReadFileBytes(report);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

bool ModuleLoaded(DWORD pid, const std::wstring& file) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32W module = {};
    module.dwSize = sizeof(module);
    bool found = false;
    for (BOOL more = Module32FirstW(snapshot, &module); more && !found; more = Module32NextW(snapshot, &module))
        found = lstrcmpiW(module.szExePath, file.c_str()) == 0;
    CloseHandle(snapshot);
    return found;
}

bool TypeLetters(HWND window, const std::string& letters) {
    for (char letter : letters)
        if (!Keys(window, {WORD(std::towupper(letter))})) return false;
    return true;
}

HWND ChildWithText(HWND dialog, const wchar_t* cls, std::string_view text) {
    for (const Child& child : Children(dialog))
        if (lstrcmpiW(child.cls.c_str(), cls) == 0 && child.text == Wide(text)) return child.window;
    return nullptr;
}

POINT Middle(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    return {r.right / 2, r.bottom / 2};
}

class ImeTest : public MenuSession {
protected:
    void Install(const ImeEdition& edition) {
        ASSERT_NO_FATAL_FAILURE(ClickItem(ItemOf(edition.normalPicture), edition.resultLabel));
        if (edition.largeCharacterSet) {
            HWND notice = WaitTopWindow(Wide(kForm1Caption), L"#32770", setup_.Id());
            ASSERT_TRUE(notice && CloseBox(notice) && WaitGone(notice));
        }
        ASSERT_NO_FATAL_FAILURE(ExpectInstalled(edition));
    }

    // Asks Setup.exe's thread to switch to the layout, then types a code on the menu: the
    // switch happens at that key, which loads the IME into Setup.exe.
    void ActivateInSetup(const KeyboardLayout& layout, const std::string& code) {
        const auto hkl = LPARAM(wcstoul(layout.key.c_str(), nullptr, 16));
        ASSERT_TRUE(PostMessageW(menu_, WM_INPUTLANGCHANGEREQUEST, 0, hkl));
        ASSERT_TRUE(TypeLetters(menu_, code));
        ASSERT_TRUE(Poll([&] { return ModuleLoaded(setup_.Id(), layout.imeFile); })) << "IME not loaded";
    }
};

TEST_F(ImeTest, InstalledEditionTypesItsTableAndNothingWithoutIt) {
    for (const ImeEdition* edition : {&EditionAt(ControlId::Image6a), LargeCharacterSetEditions()[0]}) {
        SCOPED_TRACE(edition->edition);
        if (edition != &EditionAt(ControlId::Image6a)) {
            ASSERT_NO_FATAL_FAILURE(SetUp());
        }
        ASSERT_NO_FATAL_FAILURE(Start());
        ASSERT_NO_FATAL_FAILURE(Install(*edition));
        setup_.Kill();
        const KeyboardLayout layout = LayoutOf(*edition);
        ASSERT_FALSE(layout.key.empty());
        std::string letters, texts;
        for (const demo::CodeTableLine& line : TableOf(*edition)) {
            letters += line.code;
            texts += line.text;
        }
        EXPECT_EQ(Utf8(TypeWith(layout, letters)), texts);
        ASSERT_TRUE(RemoveFile(SystemDirectories().installed / std::string(edition->nt.codeTableFile)));
        EXPECT_EQ(Utf8(TypeWith(layout, letters)), letters) << "typed without its code table";
    }
}

// The three ways the notice closes, each over the IME: the text boxes take no text from it
// (checked at the first opening), and the menu comes back to the front.
TEST_F(ImeTest, NoticeUnderTheImeKeepsItsTextsAndGivesTheMenuBack) {
    const ImeEdition& popular = EditionAt(ControlId::Image6a);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Install(popular));
    setup_.Kill();
    const KeyboardLayout layout = LayoutOf(popular);
    const std::vector<demo::CodeTableLine> table = TableOf(popular);
    const std::vector<const ImeEdition*> large = LargeCharacterSetEditions();

    enum Way { OkButton, CloseBoxOfNotice, AltF4 };
    for (Way way : {OkButton, CloseBoxOfNotice, AltF4}) {
        SCOPED_TRACE(way);
        if (way != CloseBoxOfNotice) {
            ASSERT_NO_FATAL_FAILURE(Start());
            ASSERT_NO_FATAL_FAILURE(ActivateInSetup(layout, table[0].code));
        }
        const ImeEdition& edition = *large[way % large.size()];
        ASSERT_NO_FATAL_FAILURE(ClickItem(ItemOf(edition.normalPicture), edition.resultLabel));
        HWND notice = WaitTopWindow(Wide(kForm1Caption), L"#32770", setup_.Id());
        ASSERT_TRUE(notice && Poll([&] { return GetForegroundWindow() == notice; }));
        if (way == OkButton) {
            for (std::string_view text : kText1) {
                HWND box = ChildWithText(notice, L"Edit", text);
                ASSERT_TRUE(box) << text;
                const POINT middle = Middle(box);
                ASSERT_TRUE(ClearClipboard());
                ASSERT_TRUE(Drag(box, {1, middle.y}, {2 * middle.x - 2, middle.y}));
                for (const demo::CodeTableLine& line : table) ASSERT_TRUE(TypeLetters(box, line.code));
                ASSERT_TRUE(Keys(box, {VK_CONTROL, 'C'}));
                std::wstring copied;
                EXPECT_TRUE(Poll([&] { return !(copied = ClipboardText()).empty(); })) << "nothing copied";
                EXPECT_EQ(Wide(text).rfind(copied, 0), 0u) << Utf8(copied);
                EXPECT_EQ(Utf8(TextOf(box)), text);
            }
            HWND ok = ChildWithText(notice, L"Button", kCommand1Caption);
            ASSERT_TRUE(ok && Click(ok, Middle(ok)));
        } else if (way == CloseBoxOfNotice) {
            ASSERT_TRUE(CloseBox(notice));
        } else {
            ASSERT_TRUE(Keys(notice, {VK_MENU, VK_F4}));
        }
        ASSERT_TRUE(WaitGone(notice));
        EXPECT_TRUE(WaitWatchedChanges(edition.resultLabel)) << "no result line";
        ExpectMenuInFront();
        if (way == CloseBoxOfNotice) setup_.Kill();
    }
}

}  // namespace
}  // namespace lcime::e2e
