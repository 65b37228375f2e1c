// The menu window and the support-package notice under Wine.
#include "MenuSession.h"

namespace lcime::e2e {
namespace {

using MenuTest = E2eTest;
using NoticeTest = E2eTest;

TEST_F(MenuTest, OpensCentredAtDesignSizeEvenFromAMaximizedShortcut) {
    for (WORD show : {WORD(SW_SHOWDEFAULT), WORD(SW_SHOWMAXIMIZED)}) {
        SCOPED_TRACE(show);
        ASSERT_TRUE(menu.Start(show));
        const RECT client = ClientRectOnScreen(menu.window);
        EXPECT_EQ(client.right - client.left, kClientWidth);
        EXPECT_EQ(client.bottom - client.top, kClientHeight);
        RECT frame;
        GetWindowRect(menu.window, &frame);
        EXPECT_NEAR(frame.left + frame.right, GetSystemMetrics(SM_CXSCREEN), 1);
        EXPECT_NEAR(frame.top + frame.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
        EXPECT_FALSE(IsZoomed(menu.window));
        menu.process.Kill();
    }
}

TEST_F(MenuTest, ItemsHighlightAndPreviewThenNtEditionsInstallThenBannerAndExit) {
    ASSERT_TRUE(menu.Start());
    std::vector<COLORREF> previews[8];
    for (const MenuItem& item : kMenuItems) {
        SCOPED_TRACE(static_cast<int>(item.normalPicture));
        ASSERT_TRUE(menu.Hover(item.normalPicture));
        if (item.preview != kNoPreview) {
            ASSERT_TRUE(menu.Shown(PreviewPicture(item.preview))) << "no preview";
            previews[item.preview] = menu.Pixels(PreviewPicture(item.preview));
        }
        ASSERT_TRUE(menu.Rest());
        EXPECT_TRUE(menu.WaitPixels(item.highlightPicture, menu.PixelsAtStart(item.highlightPicture), true));
    }
    for (int i = 0; i < 8; ++i)
        for (int j = i + 1; j < 8; ++j) EXPECT_NE(previews[i], previews[j]) << i << " and " << j;

    for (const ImeEdition& edition : kImeEditions) {
        if (edition.largeCharacterSet) continue;
        SCOPED_TRACE(edition.edition);
        ASSERT_TRUE(menu.Click(edition.normalPicture));
        ASSERT_NO_FATAL_FAILURE(ExpectInstalled(edition));
    }

    ASSERT_TRUE(menu.ClickBanner() && menu.Dismiss(kCopyrightNotice));
    EXPECT_TRUE(menu.InFront());
    EXPECT_TRUE(menu.Exit());
}

TEST_F(NoticeTest, LargeCharacterSetItemsShowTheNoticeAndInstallWhicheverWayItCloses) {
    const std::vector<const ImeEdition*> editions = LargeCharacterSetEditions();
    for (CloseBy way : {CloseBy::OkButton, CloseBy::CloseBox, CloseBy::AltF4}) {
        SCOPED_TRACE(static_cast<int>(way));
        const ImeEdition& edition = *editions[static_cast<int>(way) % editions.size()];
        if (way != CloseBy::OkButton) {
            ASSERT_NO_FATAL_FAILURE(SetUp());
        }
        ASSERT_TRUE(menu.Start());
        ASSERT_TRUE(menu.Click(edition.normalPicture));
        HWND notice = menu.WaitNotice();
        ASSERT_TRUE(notice);
        if (way == CloseBy::OkButton) {
            EXPECT_TRUE(ChildWithText(notice, L"Button", kFrame1Caption));
            EXPECT_TRUE(ChildWithText(notice, L"Button", kFrame2Caption));
            ASSERT_NO_FATAL_FAILURE(ExpectNoticeBoxesKeepTheirTexts(notice, [](HWND box) {
                for (std::vector<WORD> keys : std::vector<std::vector<WORD>>{
                         {'X'}, {VK_BACK}, {VK_DELETE}, {VK_RETURN}, {VK_CONTROL, 'X'}, {VK_CONTROL, 'V'}})
                    if (!Keys(box, keys)) return false;
                return true;
            }));
        }
        ASSERT_TRUE(menu.CloseNotice(way));
        ASSERT_NO_FATAL_FAILURE(ExpectInstalled(edition));
        EXPECT_TRUE(menu.InFront());
        // Tutorials, in the first run.
        for (const Tutorial& tutorial : kTutorials) {
            if (way != CloseBy::OkButton) break;
            SCOPED_TRACE(tutorial.setupProgram);
            ASSERT_TRUE(menu.Click(tutorial.normalPicture));
            EXPECT_TRUE(Poll([&] { return StartedOnceMinimized(tutorial); }));
            EXPECT_TRUE(menu.Shown(tutorial.resultLabel)) << "no result line";
        }
        menu.process.Kill();
    }
}

}  // namespace
}  // namespace lcime::e2e
