// The support-package notice and the tutorial items under Wine.
#include "install/Form1.h"
#include "install/TutorialLaunch.h"
#include "MenuSession.h"

namespace lcime::e2e {
namespace {

using namespace robot;

using NoticeTest = MenuSession;

HWND ChildWithText(HWND dialog, const wchar_t* cls, std::string_view text) {
    for (const Child& child : Children(dialog))
        if (lstrcmpiW(child.cls.c_str(), cls) == 0 && child.text == Wide(text)) return child.window;
    return nullptr;
}

// In each text box: select from the left with the mouse, try to change the text with the
// keyboard, copy. The copy also shows that the keys before it were handled.
void ExpectBoxesReadOnlyButCopyable(HWND notice) {
    for (std::string_view text : kText1) {
        HWND box = ChildWithText(notice, L"Edit", text);
        ASSERT_TRUE(box) << text;
        RECT r;
        GetClientRect(box, &r);
        ASSERT_TRUE(ClearClipboard());
        ASSERT_TRUE(Drag(box, {1, r.bottom / 2}, {r.right - 2, r.bottom / 2}));
        for (const std::vector<WORD>& keys : std::vector<std::vector<WORD>>{
                 {'X'}, {VK_BACK}, {VK_DELETE}, {VK_RETURN}, {VK_CONTROL, 'X'}, {VK_CONTROL, 'V'}})
            ASSERT_TRUE(Keys(box, keys));
        ASSERT_TRUE(Keys(box, {VK_CONTROL, 'C'}));
        std::wstring copied;
        EXPECT_TRUE(Poll([&] { return !(copied = ClipboardText()).empty(); })) << "nothing copied";
        EXPECT_EQ(Wide(text).rfind(copied, 0), 0u) << Utf8(copied);
        EXPECT_EQ(TextOf(box), Wide(text));
    }
}

TEST_F(NoticeTest, LargeCharacterSetItemsShowTheNoticeAndInstallWhicheverWayItCloses) {
    std::vector<const ImeEdition*> editions;
    for (const ImeEdition& edition : kImeEditions)
        if (edition.largeCharacterSet) editions.push_back(&edition);
    enum Way { OkButton, CloseBox, AltF4 };
    for (Way way : {OkButton, CloseBox, AltF4}) {
        SCOPED_TRACE(way);
        const ImeEdition& edition = *editions[way % editions.size()];
        if (way != OkButton) {
            ASSERT_NO_FATAL_FAILURE(SetUp());
        }
        ASSERT_NO_FATAL_FAILURE(Start());
        ASSERT_NO_FATAL_FAILURE(ClickItem(ItemOf(edition.normalPicture), edition.resultLabel));
        HWND notice = WaitTopWindow(Wide(kForm1Caption), L"#32770", setup_.Id());
        ASSERT_TRUE(notice);
        HWND ok = ChildWithText(notice, L"Button", kCommand1Caption);
        ASSERT_TRUE(ok);
        if (way == OkButton) {
            EXPECT_TRUE(ChildWithText(notice, L"Button", kFrame1Caption));
            EXPECT_TRUE(ChildWithText(notice, L"Button", kFrame2Caption));
            ASSERT_NO_FATAL_FAILURE(ExpectBoxesReadOnlyButCopyable(notice));
            RECT r;
            GetClientRect(ok, &r);
            ASSERT_TRUE(Click(ok, {r.right / 2, r.bottom / 2}));
        } else if (way == CloseBox) {
            ASSERT_TRUE(robot::CloseBox(notice));
        } else {
            ASSERT_TRUE(Keys(notice, {VK_MENU, VK_F4}));
        }
        ASSERT_TRUE(WaitGone(notice));
        ASSERT_NO_FATAL_FAILURE(ExpectInstalled(edition));
        ExpectMenuInFront();
        setup_.Kill();
    }
}

TEST_F(NoticeTest, TutorialItemsStartTheirSetupMinimized) {
    ASSERT_NO_FATAL_FAILURE(Start());
    for (const Tutorial& tutorial : kTutorials) {
        SCOPED_TRACE(tutorial.setupProgram);
        ASSERT_NO_FATAL_FAILURE(ClickItem(ItemOf(tutorial.normalPicture), tutorial.resultLabel));
        const auto log = std::filesystem::path(L"M:" + Wide(tutorial.setupProgram)).parent_path() / L"standin.log";
        const std::string expected = "started show=" + std::to_string(kShowMinimized) + "\n";
        EXPECT_TRUE(Poll([&] { return ReadFileBytes(log) == expected; })) << ReadFileBytes(log);
        EXPECT_TRUE(WaitWatchedChanges(tutorial.resultLabel)) << "no result line";
        ASSERT_NO_FATAL_FAILURE(Rest());
    }
}

}  // namespace
}  // namespace lcime::e2e
