// Label fonts under Wine: success captions take the design size; failure texts that are too
// wide for their one-line box take a smaller size of the same font that fits, still readable.
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
    Scene scene;
    for (const MenuItem& item : kMenuItems) {
        if (!item.edition) continue;
        const ImeEdition& entry = *item.edition;
        const PixelRect box = scene.Bounds(item.resultLabel);
        const std::wstring success = Wide(DesignOf(item.resultLabel).caption);
        EXPECT_EQ(painter.FittingHeight(dc.get(), FontId::Heiti12, success, box), 16) << entry.edition;

        const std::wstring failure = Wide(entry.failureText);
        const int height = painter.FittingHeight(dc.get(), FontId::Heiti12, failure, box);
        EXPECT_GE(height, 10) << entry.edition;
        EXPECT_LE(WidthAt(dc.get(), painter, FontId::Heiti12, height, failure), box.width) << entry.edition;
        if (height < 16) {  // shrunk no further than needed
            EXPECT_GT(WidthAt(dc.get(), painter, FontId::Heiti12, height + 1, failure), box.width) << entry.edition;
        }
    }
}

}  // namespace
}  // namespace lcime::win32
