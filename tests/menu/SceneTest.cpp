// The control inventory and the scene: design geometry in pixels, hit testing and invalidation.
#include "menu/Scene.h"

#include <gtest/gtest.h>

namespace lcime {
namespace {

using C = ControlId;
using Rects = std::vector<PixelRect>;

TEST(Scene, DesignControlsInPixelsInsideTheClientAreaHitOverTheirWholeRectangleWhenVisible) {
    Scene scene;
    int visible = 0;
    for (const ControlDesign& design : kInventory) {
        visible += scene[design.id].visible;
        const PixelRect r = scene.Bounds(design.id);
        EXPECT_TRUE(r.left >= 0 && r.left + r.width <= kClientWidth && r.top + r.height <= kClientHeight) << design.name;
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
    EXPECT_EQ(scene.Bounds(C::Image1a).left, -83);  // twips to pixels, rounded to the nearest
    painted.clear();
    scene.SetLeft(C::Image1a, -1251);
    scene.SetVisible(C::Image1a, true);
    scene.SetCaption(C::Label3, std::string(DesignOf(C::Label3).caption));
    EXPECT_TRUE(painted.empty());

    scene.SetCaption(C::Label3, "changed");
    scene.SetVisible(PreviewPicture(0), true);
    EXPECT_EQ(painted, (Rects{scene.Bounds(C::Label3), scene.Bounds(PreviewPicture(0))}));
}

}  // namespace
}  // namespace lcime
