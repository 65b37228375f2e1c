// The notice dialog's centring: by its outer size, in twips, keeping half twips, not clamped.
#include "install/Form1.h"

#include <gtest/gtest.h>

namespace lcime {
namespace {

TEST(Form1, CentresByOuterSizeKeepingHalfTwipsAndGoingNegativeOnSmallScreens) {
    EXPECT_FLOAT_EQ(CentredPosition(10530, 15360), 2415);    // 702 px wide on 1024 px
    EXPECT_FLOAT_EQ(CentredPosition(10545, 15360), 2407.5);  // odd difference: half a twip
    EXPECT_FLOAT_EQ(CentredPosition(10530, 9600), -465);     // 640 px screen, not clamped
}

}  // namespace
}  // namespace lcime
