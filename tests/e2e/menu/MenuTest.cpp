// The menu window under Wine: its place and size, hover, an install, the banner and exit.
#include "MenuSession.h"

namespace lcime::e2e {
namespace {

using namespace robot;

using MenuTest = MenuSession;

TEST_F(MenuTest, OpensCentredAtDesignSizeEvenFromAMaximizedShortcut) {
    for (WORD show : {WORD(SW_SHOWDEFAULT), WORD(SW_SHOWMAXIMIZED)}) {
        SCOPED_TRACE(show);
        ASSERT_NO_FATAL_FAILURE(Start(show));
        const RECT client = ClientRectOnScreen(menu_);
        EXPECT_EQ(client.right - client.left, kClientWidth);
        EXPECT_EQ(client.bottom - client.top, kClientHeight);
        RECT frame;
        GetWindowRect(menu_, &frame);
        EXPECT_NEAR(frame.left + frame.right, GetSystemMetrics(SM_CXSCREEN), 1);
        EXPECT_NEAR(frame.top + frame.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
        EXPECT_FALSE(IsZoomed(menu_));
        setup_.Kill();
    }
}

TEST_F(MenuTest, EachItemHighlightsAndShowsItsOwnPreviewWhilePointedAt) {
    ASSERT_NO_FATAL_FAILURE(Start());
    std::vector<COLORREF> rest[8], previews[8];
    for (int i = 0; i < 8; ++i) rest[i] = Pixels(PreviewPicture(i));
    for (const MenuItem& item : kMenuItems) {
        SCOPED_TRACE(static_cast<int>(item.normalPicture));
        ASSERT_NO_FATAL_FAILURE(Hover(item));
        if (item.preview != kNoPreview) {
            const ControlId preview = PreviewPicture(item.preview);
            ASSERT_TRUE(WaitPixels(preview, rest[item.preview], false)) << "no preview";
            previews[item.preview] = Pixels(preview);
        }
        ASSERT_NO_FATAL_FAILURE(Rest());
        EXPECT_TRUE(WaitPixels(item.highlightPicture, restHighlight_, true)) << "highlight stays";
        if (item.preview != kNoPreview) {
            EXPECT_TRUE(WaitPixels(PreviewPicture(item.preview), rest[item.preview], true));
        }
    }
    for (int i = 0; i < 8; ++i)
        for (int j = i + 1; j < 8; ++j) EXPECT_NE(previews[i], previews[j]) << i << " and " << j;
}

TEST_F(MenuTest, ClickingAnNtEditionInstallsIt) {
    ASSERT_NO_FATAL_FAILURE(Start());
    for (const ImeEdition& edition : kImeEditions) {
        if (edition.largeCharacterSet) continue;
        SCOPED_TRACE(edition.edition);
        ASSERT_NO_FATAL_FAILURE(ClickItem(ItemOf(edition.normalPicture), edition.resultLabel));
        ASSERT_NO_FATAL_FAILURE(ExpectInstalled(edition));
        ASSERT_NO_FATAL_FAILURE(Rest());
    }
}

TEST_F(MenuTest, BannerShowsTheNoticeThenTheMenuGoesOnAndExitEndsWithZero) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const PixelRect banner = scene_.Bounds(ControlId::Imagebt);
    ASSERT_TRUE(Click(menu_, {banner.left + banner.width / 2, banner.top + banner.height / 2}));
    HWND box = WaitTopWindowOfClass(L"#32770", setup_.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(TitleOf(box), Wide(LCIME_PRODUCT_NAME));
    EXPECT_EQ(MessageText(box), Wide(kCopyrightNotice));
    ASSERT_TRUE(PressButton(box, IDOK));
    ASSERT_TRUE(WaitGone(box));
    ExpectMenuInFront();

    ASSERT_NO_FATAL_FAILURE(ClickItem(ItemOf(ControlId::Image8a), ControlId::Image8a));
    DWORD exitCode = 1;
    ASSERT_TRUE(setup_.WaitExit(exitCode));
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace lcime::e2e
