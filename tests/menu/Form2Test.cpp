// The menu window's handlers against the substitute platform, driven through the same mouse
// entry points as the window: hover and previews, routing, slide-out, and the clicks.
#include "menu/Form2.h"

#include <gtest/gtest.h>

#include "install/ErrorReport.h"
#include "install/TutorialLaunch.h"
#include "platform/Substitute.h"

namespace lcime {
namespace {

using C = ControlId;
using Calls = std::vector<std::string>;
using Write = std::pair<ControlId, bool>;  // a control and the visibility written to it

const MenuItem& Item(ControlId highlight) {
    return *std::find_if(kMenuItems.begin(), kMenuItems.end(),
                         [&](const MenuItem& m) { return m.highlightPicture == highlight; });
}

class Form2Test : public ::testing::Test {
protected:
    void SetUp() override {
        state.gSysDir = "C:\\WINDOWS\\system32\\";
        scene().onWrite = [this](ControlId id, Property property) {
            if (property == Property::Visible) writes.emplace_back(id, scene()[id].visible);
        };
    }
    Scene& scene() { return form.scene(); }
    static std::pair<int, int> Middle(ControlId id) {
        const ControlDesign& d = DesignOf(id);
        return {ToPixels(d.left + d.width / 2), ToPixels(d.top + d.height / 2)};
    }
    void PointAt(ControlId id) { form.MouseMove(Middle(id).first, Middle(id).second); }
    void ClickAt(ControlId id) {
        form.MouseDown(Middle(id).first, Middle(id).second);
        form.MouseUp(Middle(id).first, Middle(id).second);
    }
    // What a person does: from bare window, point at the item, then click where it lies.
    void UseItem(ControlId highlight) {
        form.MouseMove(5, 5);
        PointAt(Item(highlight).normalPicture);
        ClickAt(Item(highlight).normalPicture);
    }
    SubstitutePlatform platform;
    Module1 state;
    Form2 form{platform, state};
    std::vector<Write> writes;
};

TEST_F(Form2Test, BareWindowResetMakesAllTwentySixWritesInTheirOrder) {
    PointAt(C::Image4a);
    std::vector<Write> expected = {
        {C::Image1b, false}, {C::Image1a, true}, {C::Image2b, false}, {C::Image2a, true},
        {C::Image3b, false}, {C::Image3a, true}, {C::Image4b, false}, {C::Image4a, true},
        {C::Image5b, false}, {C::Image5a, true}, {C::Image6b, false}, {C::Image6a, true},
        {C::Image7b, false}, {C::Image7a, true}, {C::Image8b, false}, {C::Image8a, true},
        {C::Imagefa, true},  {C::Imagefb, false}};  // item f shows its normal picture first
    for (int k = 0; k < 8; ++k) expected.emplace_back(PreviewPicture(k), false);
    for (int pass = 0; pass < 2; ++pass) {  // at rest the same writes happen again
        writes.clear();
        form.MouseMove(5, 5);
        EXPECT_EQ(writes, expected);
    }
}

TEST_F(Form2Test, HoverShowsTheHighlightThenItsPreviewThenHidesTheOtherSevenInOrder) {
    for (const MenuItem& item : kMenuItems) {
        if (item.preview == kNoPreview) continue;
        form.MouseMove(5, 5);
        writes.clear();
        PointAt(item.normalPicture);
        std::vector<Write> expected = {{item.highlightPicture, true}, {PreviewPicture(item.preview), true}};
        for (int k = 0; k < 8; ++k) {
            if (k != item.preview) expected.emplace_back(PreviewPicture(k), false);
        }
        EXPECT_EQ(writes, expected) << DesignOf(item.normalPicture).name;
    }
}

TEST_F(Form2Test, OnlyTheWindowAndNormalPicturesActOnMoves) {
    PointAt(C::Image3a);
    PointAt(C::Image6a);  // no bare window in between: both stay highlighted
    EXPECT_TRUE(scene()[C::Image3b].visible && scene()[C::Image6b].visible);
    const ControlId preview = PreviewPicture(Item(C::Image6b).preview);
    writes.clear();
    PointAt(C::Image8a);  // the exit item leaves the previews alone
    EXPECT_EQ(writes, (std::vector<Write>{{C::Image8b, true}}));
    writes.clear();
    // Highlight pictures, labels, photo, banner and the shown preview swallow moves.
    for (ControlId id : {C::Image8a, C::Image6a, C::Labelsm, C::Labeladd, C::Labelwww, C::photo, C::Imagebt, preview}) {
        PointAt(id);
    }
    EXPECT_TRUE(writes.empty());
}

TEST_F(Form2Test, SlideOutRunsWholePassesUpToFiveThousandWithBothPicturesInStep) {
    std::vector<int> normal, highlight;
    scene().onWrite = [&](ControlId id, Property) {
        (id == C::Image3a ? normal : highlight).push_back(scene()[id].left);
        EXPECT_GE(normal.size(), highlight.size());  // normal first in each pass
    };
    form.SlideOut(C::Image3a, C::Image3b, 450);
    const std::vector<int> expected = {-1, -451, -901, -1351, -1801, -2251, -2701, -3151, -3601, -4051, -4501, -4951};
    EXPECT_EQ(normal, expected);
    EXPECT_EQ(highlight, expected);
}

TEST_F(Form2Test, AClickIsPressAndReleaseOnTheSameVisibleHighlightOrBanner) {
    const auto [x3, y3] = Middle(C::Image3a);
    const auto [x6, y6] = Middle(C::Image6a);
    form.MouseDown(x3, y3);  // normal pictures take no clicks
    form.MouseUp(x3, y3);
    PointAt(C::Image3a);
    PointAt(C::Image6a);
    form.MouseDown(x3, y3);  // pressed on one item, released on another
    form.MouseUp(x6, y6);
    form.MouseUp(x6, y6);  // a release without a press
    ClickAt(C::photo);
    EXPECT_TRUE(platform.calls.empty());
    ClickAt(C::Imagebt);
    EXPECT_EQ(platform.calls, Calls{"ShowMessage " + std::string(kCopyrightNotice)});
    UseItem(C::Image8b);
    EXPECT_EQ(platform.calls.back(), "EndProgram");
}

TEST_F(Form2Test, FailedTutorialStartPutsTheItemBackWhereItCanBeUsedAgain) {
    const Tutorial& t = kTutorials[0];
    platform.AddFile(std::string(t.setupProgram));
    platform.startErrors[std::string(t.setupProgram)] = os_error::kFileNotFound;
    UseItem(t.highlightPicture);
    EXPECT_EQ(platform.CallsOf("ShowMessage"),
              Calls{"ShowMessage " + FormatErrorReport({FailedOperation::Start, os_error::kFileNotFound,
                                                        platform.DescribeError(os_error::kFileNotFound),
                                                        std::string(t.setupProgram), ""})});
    EXPECT_EQ(scene()[t.normalPicture].left, DesignOf(t.normalPicture).left);
    EXPECT_EQ(scene()[t.highlightPicture].left, DesignOf(t.highlightPicture).left);
    EXPECT_FALSE(scene()[t.resultLabel].visible);
    platform.startErrors.clear();
    UseItem(t.highlightPicture);
    EXPECT_TRUE(scene()[t.resultLabel].visible);
}

}  // namespace
}  // namespace lcime
