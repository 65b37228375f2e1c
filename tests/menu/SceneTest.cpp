// The control inventory and the scene: design geometry in pixels, hit testing, invalidation.
#include "menu/Scene.h"

#include <gtest/gtest.h>

#include <vector>

namespace lcime {
namespace {

TEST(Scene, StartsWithTheFourteenDesignControlsVisibleAndEverythingInsideTheClientArea) {
    Scene scene;
    int visible = 0;
    for (const ControlDesign& design : kInventory) {
        visible += scene[design.id].visible;
        const PixelRect r = scene.Bounds(design.id);
        EXPECT_GE(r.left, 0) << design.name;
        EXPECT_LE(r.left + r.width, kClientWidth) << design.name;
        EXPECT_LE(r.top + r.height, kClientHeight) << design.name;
    }
    EXPECT_EQ(visible, 14);
}

TEST(Scene, ItemFsPicturesLandOnOnePixelRowThoughTheirTwipsDiffer) {
    Scene scene;
    EXPECT_NE(DesignOf(ControlId::Imagefa).top, DesignOf(ControlId::Imagefb).top);
    EXPECT_EQ(scene.Bounds(ControlId::Imagefa), scene.Bounds(ControlId::Imagefb));
}

TEST(Scene, HitTestFindsTheTopmostVisibleControlOverItsWholeRectangle) {
    Scene scene;
    EXPECT_EQ(scene.HitTest(56, 163), ControlId::Image3a);         // corner pixel, transparent
    EXPECT_EQ(scene.HitTest(265, 189), ControlId::Image3a);        // opposite corner
    EXPECT_EQ(scene.HitTest(266, 189), std::nullopt);
    EXPECT_EQ(scene.HitTest(400, 250), std::nullopt);              // preview area, all hidden
    scene.SetVisible(ControlId::Image3b, true);
    EXPECT_EQ(scene.HitTest(100, 170), ControlId::Image3b);
    scene.SetVisible(ControlId::Label3, true);                     // above both pictures
    EXPECT_EQ(scene.HitTest(100, 175), ControlId::Label3);
    scene.SetVisible(ControlId::Label6, true);                     // below item 6's pictures
    EXPECT_EQ(scene.HitTest(110, 213), ControlId::Image6a);
}

TEST(Scene, PaintOrderIsBottomToTopAndLimitedToTheDirtyArea) {
    Scene scene;
    scene.SetVisible(ControlId::Image6b, true);
    scene.SetVisible(ControlId::Label6, true);
    EXPECT_EQ(scene.PaintOrder(scene.Bounds(ControlId::Image6a)),
              (std::vector<ControlId>{ControlId::Label6, ControlId::Image6a, ControlId::Image6b}));
    EXPECT_TRUE(scene.PaintOrder({0, 0, 20, 20}).empty());
    EXPECT_EQ(scene.PaintOrder({0, 0, kClientWidth, kClientHeight}).size(), 16u);  // 14 at rest, plus two
}

TEST(Scene, ChangesInvalidateOldAndNewRectanglesAndRepeatedWritesNothing) {
    Scene scene;
    std::vector<PixelRect> painted;
    int writes = 0;
    scene.onInvalidate = [&](const PixelRect& r) { painted.push_back(r); };
    scene.onWrite = [&](ControlId, Property) { ++writes; };

    scene.SetLeft(ControlId::Image1a, -1251);
    EXPECT_EQ(painted, (std::vector<PixelRect>{{88, 88, 210, 27}, {-83, 88, 210, 27}}));
    painted.clear();
    scene.SetLeft(ControlId::Image1a, -1251);
    scene.SetVisible(ControlId::Image1a, true);
    scene.SetCaption(ControlId::Label3, std::string(DesignOf(ControlId::Label3).caption));
    EXPECT_TRUE(painted.empty());
    EXPECT_EQ(writes, 4);

    scene.SetCaption(ControlId::Label3, " 岚辰 6.6 版安装失败");
    scene.SetVisible(ControlId::Image2_0, true);
    EXPECT_EQ(painted, (std::vector<PixelRect>{{96, 171, 169, 17}, {352, 192, 215, 155}}));
}

}  // namespace
}  // namespace lcime
