// The menu window under Wine: place and size, hover and previews, every install, the banner and
// the exit, and a medium in a folder.
#include "Fixture.h"

#include <set>

namespace lcime::e2e {

using MenuTest = E2eTest;

// Started as from a shortcut set to Maximized: the fixed window still opens centred at its design
// size. Each item highlights and shows its own preview, every edition installs, then the banner's
// box and the exit item.
TEST_F(MenuTest, OpensCentredEvenMaximizedThenItemsHighlightAndPreviewAndInstallThenBannerAndExit) {
    ASSERT_TRUE(menu.Start(SW_SHOWMAXIMIZED));
    RECT client, frame;
    ASSERT_TRUE(GetClientRect(menu.window, &client) && GetWindowRect(menu.window, &frame));
    EXPECT_EQ(client.right, Scene::ClientArea(96).width);
    EXPECT_EQ(client.bottom, Scene::ClientArea(96).height);
    EXPECT_NEAR(frame.left + frame.right, GetSystemMetrics(SM_CXSCREEN), 1);
    EXPECT_NEAR(frame.top + frame.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
    EXPECT_FALSE(IsZoomed(menu.window));

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

    for (const MenuItem& item : kMenuItems) {
        if (!item.edition) continue;
        SCOPED_TRACE(item.edition->edition);
        ASSERT_TRUE(Install(item));
        ASSERT_NO_FATAL_FAILURE(ExpectInstalled(item));
    }

    ASSERT_TRUE(menu.ClickBanner() && menu.Dismiss(kCopyrightNotice));
    EXPECT_TRUE(menu.InFront());
    EXPECT_TRUE(menu.Exit());
}

// A download or a folder on a stick: the medium is wherever Setup.exe stands, in a folder of any
// name, started with another drive current.
TEST_F(MenuTest, AMediumInAFolderWorksFromAnotherCurrentDrive) {
    const fs::path folder = Medium() / L"岚辰输入法 安装盘 (2026 版)";
    fs::create_directory(folder);
    LayOutMedium(folder);
    ASSERT_TRUE(menu.Start(SW_SHOWDEFAULT, folder, L"C:\\"));
    const MenuItem& popular = Item(ControlId::Image6a);
    ASSERT_TRUE(Install(popular));
    ASSERT_NO_FATAL_FAILURE(ExpectInstalled(popular));
    const MenuItem& tutorial = Item(ControlId::Image2a);
    ASSERT_TRUE(menu.Click(tutorial.normalPicture));
    EXPECT_TRUE(Poll([&] { return StartedOnceMinimized(*tutorial.tutorial, folder); }));
}

}  // namespace lcime::e2e
