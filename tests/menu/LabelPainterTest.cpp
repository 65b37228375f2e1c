// Label fonts under Wine, at 96 and 192 pixels per inch: success captions take the design point
// size; failure texts that are too wide for their one-line box take a smaller size of the same
// font that fits, still readable.
#include "menu/LabelPainter.h"

#include <gtest/gtest.h>

#include "menu/Form2.h"
#include "platform/win32/Text.h"

namespace lcime::win32 {
namespace {

int WidthAt(HDC dc, LabelPainter& painter, FontId font, int height, const std::wstring& text) {
    SelectIn select(dc, painter.FontFor(font, height));
    RECT needed = {0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return needed.right;
}

TEST(LabelPainter, EveryResultLineTextFitsItsBoxOnOneLine) {
    UniqueDc dc(CreateCompatibleDC(nullptr));
    LabelPainter painter;
    for (int dpi : {96, 192}) {
        const Scene scene(dpi);
        const int design = 16 * dpi / 96;  // 12 points
        for (const MenuItem& item : kMenuItems) {
            if (!item.edition) continue;
            SCOPED_TRACE(std::string(item.edition->edition) + " at " + std::to_string(dpi));
            const PixelRect box = scene.Bounds(item.resultLabel);
            const std::wstring success = Wide(DesignOf(item.resultLabel).caption);
            EXPECT_EQ(painter.FittingHeight(dc.get(), FontId::Heiti12, success, box, dpi), design);

            const std::wstring failure = Wide(item.edition->failureText);
            const int height = painter.FittingHeight(dc.get(), FontId::Heiti12, failure, box, dpi);
            EXPECT_GE(height, design * 5 / 8);
            EXPECT_LE(WidthAt(dc.get(), painter, FontId::Heiti12, height, failure), box.width);
            if (height < design) {  // shrunk no further than needed
                EXPECT_GT(WidthAt(dc.get(), painter, FontId::Heiti12, height + 1, failure), box.width);
            }
        }
    }
}

}  // namespace
}  // namespace lcime::win32
