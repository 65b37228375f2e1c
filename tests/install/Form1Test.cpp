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

}  // namespace
}  // namespace lcime
