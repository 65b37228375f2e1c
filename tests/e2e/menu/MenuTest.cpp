// The menu window and the support-package notice under Wine.
#include "MenuSession.h"

#include <set>

namespace lcime::e2e {

using MenuTest = E2eTest;

TEST_F(MenuTest, OpensCentredAtDesignSizeEvenFromAMaximizedShortcut) {
    for (WORD show : {WORD(SW_SHOWDEFAULT), WORD(SW_SHOWMAXIMIZED)}) {
        SCOPED_TRACE(show);
        ASSERT_TRUE(menu.Start(show));
        RECT client, frame;
        ASSERT_TRUE(GetClientRect(menu.window, &client) && GetWindowRect(menu.window, &frame));
        EXPECT_EQ(client.right, kClientWidth);
        EXPECT_EQ(client.bottom, kClientHeight);
        EXPECT_NEAR(frame.left + frame.right, GetSystemMetrics(SM_CXSCREEN), 1);
        EXPECT_NEAR(frame.top + frame.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
        EXPECT_FALSE(IsZoomed(menu.window));
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
    EXPECT_EQ(std::set<std::vector<COLORREF>>(previews, previews + 8).size(), 8u) << "previews alike";

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

TEST_F(MenuTest, LargeCharacterSetItemsShowTheNoticeAndInstallWhicheverWayItCloses) {
    const ImeEdition* editions[] = {&EditionAt(ControlId::Image4a), &EditionAt(ControlId::Imagefa)};
    for (CloseBy way : {CloseBy::OkButton, CloseBy::CloseBox, CloseBy::AltF4}) {
        SCOPED_TRACE(static_cast<int>(way));
        const ImeEdition& edition = *editions[static_cast<int>(way) % 2];
        if (way != CloseBy::OkButton) {
            ASSERT_NO_FATAL_FAILURE(SetUp());
        }
        ASSERT_TRUE(menu.Start());
        ASSERT_NO_FATAL_FAILURE(ShowAndCloseNotice(edition, way, [](HWND box) {
            return Keys(box, {'X'}) && Keys(box, {VK_BACK}) && Keys(box, {VK_DELETE}) && Keys(box, {VK_RETURN}) &&
                   Keys(box, {VK_CONTROL, 'X'}) && Keys(box, {VK_CONTROL, 'V'});
        }));
        ASSERT_NO_FATAL_FAILURE(ExpectInstalled(edition));
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

// A download or a folder on a stick: the medium is wherever Setup.exe stands, in a folder of any
// name, started with another drive current.
TEST_F(MenuTest, AMediumInAFolderWorksFromAnotherCurrentDrive) {
    const fs::path folder = Medium() / L"岚辰输入法 安装盘 (2026 版)";
    fs::create_directory(folder);
    LayOutMedium(folder);
    ASSERT_TRUE(menu.Start(SW_SHOWDEFAULT, folder, L"C:\\"));
    const ImeEdition& popular = EditionAt(ControlId::Image6a);
    ASSERT_TRUE(Install(popular));
    ASSERT_NO_FATAL_FAILURE(ExpectInstalled(popular));
    ASSERT_TRUE(menu.Click(kTutorials[1].normalPicture));
    EXPECT_TRUE(Poll([&] { return StartedOnceMinimized(kTutorials[1], folder); }));
}

}  // namespace lcime::e2e
