// The control inventory and the scene: design geometry in pixels at each density, hit testing
// and invalidation.
#include "menu/Scene.h"

#include <gtest/gtest.h>

namespace lcime {
namespace {

using C = ControlId;
using Rects = std::vector<PixelRect>;

// Twips·dpi/1440 goes to the nearest pixel, halves away from zero (at 96 pixels per inch,
// twips/15 rounded, as it always has).
TEST(Scene, TwipsBecomePixelsAtTheNearestPixelOfEachDensity) {
    EXPECT_EQ(ToPixels(-1251, 96), -83);    // -83.4
    EXPECT_EQ(ToPixels(4830, 120), 403);    // 402.5
    EXPECT_EQ(ToPixels(-4145, 144), -415);  // -414.5
    EXPECT_EQ(ToPixels(-4951, 144), -495);
    EXPECT_EQ(ToPixels(1885, 192), 251);    // 251.33
}

TEST(Scene, DesignControlsInPixelsInsideTheClientAreaHitOverTheirWholeRectangleWhenVisible) {
    Scene scene;
    int visible = 0;
    for (const ControlDesign& design : kInventory) {
        visible += scene[design.id].visible;
        const PixelRect r = scene.Bounds(design.id), client = scene.ClientArea();
        EXPECT_TRUE(r.left >= 0 && r.left + r.width <= client.width && r.top + r.height <= client.height) << design.name;
    }
    EXPECT_EQ(visible, 14);
    // Item f's pictures lie 5 twips apart yet land on the same pixel row.
    EXPECT_EQ(scene.Bounds(C::Imagefa), scene.Bounds(C::Imagefb));

    const PixelRect r = scene.Bounds(C::Image3a);
    EXPECT_EQ(scene.HitTest(r.left, r.top), C::Image3a);  // corner pixels count, transparent or not
    EXPECT_EQ(scene.HitTest(r.left + r.width - 1, r.top + r.height - 1), C::Image3a);
    EXPECT_EQ(scene.HitTest(r.left + r.width, r.top + r.height - 1), std::nullopt);
    const PixelRect preview = scene.Bounds(PreviewPicture(0));
    EXPECT_EQ(scene.HitTest(preview.left + 5, preview.top + preview.height / 2), std::nullopt);  // all hidden
    scene.SetVisible(C::Image3b, true);
    EXPECT_EQ(scene.HitTest(r.left, r.top), C::Image3b);
}

TEST(Scene, ChangesInvalidateOldAndNewRectanglesAndRepeatedWritesNothing) {
    Scene scene;
    Rects painted;
    scene.onInvalidate = [&](const PixelRect& r) { painted.push_back(r); };

    const PixelRect before = scene.Bounds(C::Image1a);
    scene.SetLeft(C::Image1a, -1251);
    EXPECT_EQ(painted, (Rects{before, scene.Bounds(C::Image1a)}));
    painted.clear();
    scene.SetLeft(C::Image1a, -1251);
    scene.SetVisible(C::Image1a, true);
    scene.SetCaption(C::Label3, std::string(DesignOf(C::Label3).caption));
    scene.SetDpi(96);
    EXPECT_TRUE(painted.empty());

    scene.SetCaption(C::Label3, "changed");
    scene.SetVisible(PreviewPicture(0), true);
    const Rects at96 = {scene.Bounds(C::Label3), scene.Bounds(PreviewPicture(0))};
    scene.SetDpi(192);  // another monitor: everything again
    EXPECT_EQ(painted, (Rects{at96[0], at96[1], {0, 0, 1190, 886}}));
}

}  // namespace
}  // namespace lcime
