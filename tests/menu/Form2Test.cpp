// The menu window's handlers against the substitute platform, driven through the same mouse
// entry points as the window: hover and previews, routing, slide-out (in pixels at 192 pixels per
// inch), the clicks and the tutorials. Each edition's own install through its item is checked
// under Wine.
#include "menu/Form2.h"

#include <gtest/gtest.h>

#include "install/ErrorReport.h"
#include "install/Medium.h"
#include "install/TutorialLaunch.h"
#include "platform/Substitute.h"

namespace lcime {
namespace {

using C = ControlId;
using Calls = std::vector<std::string>;
using Write = std::pair<ControlId, bool>;  // a control and the visibility written to it

class Form2Test : public ::testing::Test {
protected:
    void SetUp() override {
        scene().onWrite = [this](ControlId id, Property property) {
            if (property == Property::Visible) writes.emplace_back(id, scene()[id].visible);
        };
    }
    Scene& scene() { return form.scene(); }
    // The middle of the control's design place at the scene's density.
    std::pair<int, int> Middle(ControlId id) {
        const ControlDesign& d = DesignOf(id);
        return {ToPixels(d.left + d.width / 2, scene().dpi()), ToPixels(d.top + d.height / 2, scene().dpi())};
    }
    // A path on the disc Setup.exe was started from.
    std::string OnDisc(std::string_view path) const { return platform.currentDrive + std::string(path); }
    void PointAt(ControlId id) { form.MouseMove(Middle(id).first, Middle(id).second); }
    void ClickAt(ControlId id) {
        form.MouseDown(Middle(id).first, Middle(id).second);
        form.MouseUp(Middle(id).first, Middle(id).second);
    }
    // What a person does: from bare window, point at the item, then click where it lies.
    void UseItem(ControlId normalPicture) {
        form.MouseMove(5, 5);
        PointAt(normalPicture);
        ClickAt(normalPicture);
    }
    SubstitutePlatform platform;
    Module1 state;
    Form2 form{platform, state};
    std::vector<Write> writes;
};

// Bare window makes all twenty-six writes in their order, at rest as well; from there an item
// shows its highlight, then its preview, then hides the other seven previews (the exit item leaves
// the previews alone). Nothing but bare window and the normal pictures acts on moves.
TEST_F(Form2Test, BareWindowResetsAllThenAnItemShowsItsHighlightThenItsPreviewAndNothingElseActs) {
    std::vector<Write> reset = {
        {C::Image1b, false}, {C::Image1a, true}, {C::Image2b, false}, {C::Image2a, true},
        {C::Image3b, false}, {C::Image3a, true}, {C::Image4b, false}, {C::Image4a, true},
        {C::Image5b, false}, {C::Image5a, true}, {C::Image6b, false}, {C::Image6a, true},
        {C::Image7b, false}, {C::Image7a, true}, {C::Image8b, false}, {C::Image8a, true},
        {C::Imagefa, true},  {C::Imagefb, false}};  // item f shows its normal picture first
    for (int k = 0; k < 8; ++k) reset.emplace_back(PreviewPicture(k), false);
    for (const MenuItem& item : kMenuItems) {
        form.MouseMove(5, 5);
        EXPECT_EQ(writes, reset);
        writes.clear();
        PointAt(item.normalPicture);
        std::vector<Write> expected = {{item.highlightPicture, true}};
        if (item.preview != kNoPreview) {
            expected.emplace_back(PreviewPicture(item.preview), true);
            for (int k = 0; k < 8; ++k) {
                if (k != item.preview) expected.emplace_back(PreviewPicture(k), false);
            }
        }
        EXPECT_EQ(writes, expected) << DesignOf(item.normalPicture).name;
        writes.clear();
    }
    // Highlight pictures, labels, photo, banner and the shown preview swallow moves.
    const MenuItem& item = kMenuItems[0];
    PointAt(item.normalPicture);
    writes.clear();
    for (ControlId id : {item.normalPicture, C::Labelsm, C::Labeladd, C::Labelwww, C::photo, C::Imagebt,
                         PreviewPicture(item.preview)}) {
        PointAt(id);
    }
    EXPECT_TRUE(writes.empty());
}

// Whole passes up to 5000 twips, both pictures in step; at 192 pixels per inch each pass lands on
// its twips there, the last wholly out of the window.
TEST_F(Form2Test, SlideOutRunsWholePassesUpToFiveThousandWithBothPicturesInStep) {
    scene().SetDpi(192);
    std::vector<int> normal, highlight, pixels;
    scene().onWrite = [&](ControlId id, Property) {
        (id == C::Image6a ? normal : highlight).push_back(scene()[id].left);
        if (id == C::Image6b) pixels.push_back(scene().Bounds(id).left);
        EXPECT_GE(normal.size(), highlight.size());  // normal first in each pass
    };
    form.SlideOut(C::Image6a, C::Image6b, ItemOf(C::Image6a)->slideStep);
    EXPECT_EQ(normal, (std::vector<int>{-1, -1261, -2521, -3781}));
    EXPECT_EQ(highlight, normal);
    EXPECT_EQ(pixels, (std::vector<int>{0, -168, -336, -504}));
    EXPECT_LE(pixels.back() + scene().Bounds(C::Image6b).width, 0);
}

TEST_F(Form2Test, AClickIsPressAndReleaseOnTheSameVisibleHighlightOrBanner) {
    const auto [x3, y3] = Middle(C::Image3a);
    const auto [x6, y6] = Middle(C::Image6a);
    for (ControlId normal : {C::Image3a, C::Image8a}) ClickAt(normal);  // normal pictures take no clicks
    PointAt(C::Image3a);
    PointAt(C::Image6a);
    form.MouseDown(x3, y3);  // pressed on one item, released on another
    form.MouseUp(x6, y6);
    form.MouseUp(x6, y6);  // a release without a press
    ClickAt(C::photo);
    EXPECT_TRUE(platform.calls.empty());
    ClickAt(C::Imagebt);
    EXPECT_EQ(platform.calls, Calls{"ShowMessage " + std::string(kCopyrightNotice)});
    UseItem(C::Image8a);
    EXPECT_EQ(platform.calls.back(), "EndProgram 0");
}

// A tutorial whose program does not start is reported and its item comes back to its place; then
// each tutorial, clicked twice, starts its program once, minimized, and shows its result line.
TEST_F(Form2Test, EachTutorialStartsOnceEvenWhenClickedTwiceAndAFailedStartPutsItsItemBack) {
    for (const Tutorial* t : kTutorials) platform.AddFile(OnDisc(MediumPath(t->setupProgram)));
    const MenuItem& failing = *ItemOf(C::Image1a);
    const std::string failingProgram = OnDisc(MediumPath(failing.tutorial->setupProgram));
    platform.startErrors[failingProgram] = os_error::kFileNotFound;
    UseItem(failing.normalPicture);
    EXPECT_EQ(platform.calls.back(),
              "ShowMessage " + FormatErrorReport({FailedOperation::Start, os_error::kFileNotFound,
                                                  platform.DescribeError(os_error::kFileNotFound), failingProgram, ""}));
    EXPECT_EQ(scene()[failing.normalPicture].left, DesignOf(failing.normalPicture).left);
    EXPECT_EQ(scene()[failing.highlightPicture].left, DesignOf(failing.highlightPicture).left);
    EXPECT_FALSE(scene()[failing.resultLabel].visible);
    platform.startErrors.clear();
    for (const MenuItem& item : kMenuItems) {
        if (!item.tutorial) continue;
        platform.calls.clear();
        UseItem(item.normalPicture);
        UseItem(item.normalPicture);  // the result line lies there now
        EXPECT_EQ(platform.CallsOf("StartProgram"), Calls{"StartProgram " + OnDisc(MediumPath(item.tutorial->setupProgram)) + " show=2"});
        EXPECT_EQ(scene().HitTest(Middle(item.normalPicture).first, Middle(item.normalPicture).second), item.resultLabel);
    }
}

}  // namespace
}  // namespace lcime
