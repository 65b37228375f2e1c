// The notice dialog's portable half: centring, key filter, placement inside the frames.
#include "install/Form1.h"

#include <gtest/gtest.h>

namespace lcime {
namespace {

TEST(Form1, CentresByOuterSizeKeepingHalfTwipsAndGoingNegativeOnSmallScreens) {
    EXPECT_FLOAT_EQ(CentredPosition(10530, 15360), 2415);    // 702 px wide on 1024 px
    EXPECT_FLOAT_EQ(CentredPosition(10545, 15360), 2407.5);  // odd difference: half a twip
    EXPECT_FLOAT_EQ(CentredPosition(10530, 9600), -465);     // 640 px screen, not clamped
}

TEST(Form1, TextBoxesDropEveryKeyDownAndEveryCharacterButCtrlC) {
    for (int code = 0; code < 0x10000; code += 1) {
        const auto c = static_cast<int16_t>(code);
        EXPECT_EQ(Text1_KeyDown(0, c, 0), 0);
        EXPECT_EQ(Text1_KeyDown(2, c, 2), 0);
        EXPECT_EQ(Text1_KeyPress(1, c), c == 3 ? 3 : 0) << code;
    }
}

TEST(Form1, ControlsInsideFramesArePlacedFromTheFramesOuterCorner) {
    const TwipRect address = ClientPlace(Form1Control::Text1_2);
    EXPECT_EQ(address.left, 240);
    EXPECT_EQ(address.top, 840);
    const TwipRect picture = ClientPlace(Form1Control::Image1);
    EXPECT_EQ(picture.left, 360);
    EXPECT_EQ(picture.top, 1680);
    EXPECT_EQ(picture.width / 15, 651);
    EXPECT_EQ(picture.height / 15, 165);
    // The three boxes overlap their neighbour by one pixel.
    EXPECT_EQ(ClientPlace(Form1Control::Text1_0).top + 255 - ClientPlace(Form1Control::Text1_1).top, 15);
    const TwipRect button = ClientPlace(Form1Control::Command1);
    EXPECT_EQ(button.left + button.width, 10335);
    EXPECT_LE(button.top + button.height, kForm1ClientHeight);
}

}  // namespace
}  // namespace lcime
