// The control inventory and the scene: design geometry in pixels, hit testing, paint order and
// invalidation.
#include "menu/Scene.h"

#include <gtest/gtest.h>

namespace lcime {
namespace {

using C = ControlId;
using Rects = std::vector<PixelRect>;

TEST(Scene, StartsWithTheFourteenDesignControlsVisibleAndEverythingInsideTheClientArea) {
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
}

TEST(Scene, HitTestFindsTheTopmostVisibleControlOverItsWholeRectangle) {
    Scene scene;
    const PixelRect r = scene.Bounds(C::Image3a);
    EXPECT_EQ(scene.HitTest(r.left, r.top), C::Image3a);  // corner pixels count, transparent or not
    EXPECT_EQ(scene.HitTest(r.left + r.width - 1, r.top + r.height - 1), C::Image3a);
    EXPECT_EQ(scene.HitTest(r.left + r.width, r.top + r.height - 1), std::nullopt);
    const PixelRect preview = scene.Bounds(PreviewPicture(0));
    EXPECT_EQ(scene.HitTest(preview.left + 5, preview.top + preview.height / 2), std::nullopt);  // all hidden
    scene.SetVisible(C::Image3b, true);
    scene.SetVisible(C::Label3, true);  // above both pictures, where it overlaps them
    const PixelRect label = scene.Bounds(C::Label3);
    EXPECT_EQ(scene.HitTest(label.left, label.top), C::Label3);
    EXPECT_EQ(scene.HitTest(r.left, r.top), C::Image3b);
    scene.SetVisible(C::Label6, true);  // below item 6's pictures
    EXPECT_EQ(scene.HitTest(scene.Bounds(C::Label6).left, scene.Bounds(C::Label6).top), C::Image6a);
    EXPECT_EQ(scene.PaintOrder(scene.Bounds(C::Image6a)), (std::vector<ControlId>{C::Label6, C::Image6a}));
}

TEST(Scene, ChangesInvalidateOldAndNewRectanglesAndRepeatedWritesNothing) {
    Scene scene;
    Rects painted;
    int writes = 0;
    scene.onInvalidate = [&](const PixelRect& r) { painted.push_back(r); };
    scene.onWrite = [&](ControlId, Property) { ++writes; };

    const PixelRect before = scene.Bounds(C::Image1a);
    scene.SetLeft(C::Image1a, -1251);
    EXPECT_EQ(painted, (Rects{before, scene.Bounds(C::Image1a)}));
    EXPECT_EQ(scene.Bounds(C::Image1a).left, -83);  // twips to pixels, rounded to the nearest
    painted.clear();
    scene.SetLeft(C::Image1a, -1251);
    scene.SetVisible(C::Image1a, true);
    scene.SetCaption(C::Label3, std::string(DesignOf(C::Label3).caption));
    EXPECT_TRUE(painted.empty());
    EXPECT_EQ(writes, 4);

    scene.SetCaption(C::Label3, "changed");
    scene.SetVisible(PreviewPicture(0), true);
    EXPECT_EQ(painted, (Rects{scene.Bounds(C::Label3), scene.Bounds(PreviewPicture(0))}));
}

}  // namespace
}  // namespace lcime
