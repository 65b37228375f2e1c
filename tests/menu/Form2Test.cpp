// The menu window's handlers against the substitute platform: hover, previews, routing,
// slide-out schedules, and the banner, exit and install clicks.
#include "menu/Form2.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "install/Catalogue.h"
#include "platform/Substitute.h"

using Calls = std::vector<std::string>;

namespace lcime {
namespace {

using C = ControlId;

struct Write {
    ControlId id;
    bool visible;
    bool operator==(const Write& o) const { return id == o.id && visible == o.visible; }
};

class Form2Test : public ::testing::Test {
protected:
    void SetUp() override {
        state.gSysDir = "C:\\WINDOWS\\system32\\";
        scene().onWrite = [this](ControlId id, Property property) {
            if (property == Property::Visible) writes.push_back({id, scene()[id].visible});
            if (property == Property::Left) lefts[id].push_back(scene()[id].left);
        };
    }
    Scene& scene() { return form.scene(); }
    // Moves the pointer to the middle of a control's rectangle.
    void PointAt(ControlId id) {
        const PixelRect r = scene().Bounds(id);
        form.MouseMove(r.left + r.width / 2, r.top + r.height / 2);
    }
    // A press and release where the control lies by design, routed as the window does.
    void ClickAt(ControlId id) {
        const ControlDesign& d = DesignOf(id);
        const int x = ToPixels(d.left + d.width / 2), y = ToPixels(d.top + d.height / 2);
        if (const std::optional<ControlId> hit = scene().HitTest(x, y)) {
            form.Click(*hit);
        }
    }
    std::vector<ControlId> VisiblePreviews() {
        std::vector<ControlId> shown;
        for (int k = 0; k < 8; ++k) {
            if (scene()[PreviewPicture(k)].visible) shown.push_back(PreviewPicture(k));
        }
        return shown;
    }
    SubstitutePlatform platform;
    Module1 state;
    Form2 form{platform, state};
    std::vector<Write> writes;
    std::map<ControlId, std::vector<int>> lefts;
};

TEST_F(Form2Test, BareWindowResetMakesAllTwentySixWritesInTheirOrder) {
    PointAt(C::Image4a);
    writes.clear();
    form.MouseMove(5, 5);
    const std::vector<Write> expected = {
        {C::Image1b, false}, {C::Image1a, true}, {C::Image2b, false}, {C::Image2a, true},
        {C::Image3b, false}, {C::Image3a, true}, {C::Image4b, false}, {C::Image4a, true},
        {C::Image5b, false}, {C::Image5a, true}, {C::Image6b, false}, {C::Image6a, true},
        {C::Image7b, false}, {C::Image7a, true}, {C::Image8b, false}, {C::Image8a, true},
        {C::Imagefa, true},  {C::Imagefb, false},
        {C::Image2_0, false}, {C::Image2_1, false}, {C::Image2_2, false}, {C::Image2_3, false},
        {C::Image2_4, false}, {C::Image2_5, false}, {C::Image2_6, false}, {C::Image2_7, false}};
    EXPECT_EQ(writes, expected);
    writes.clear();
    form.MouseMove(5, 5);  // at rest: the same writes again
    EXPECT_EQ(writes, expected);
}

TEST_F(Form2Test, HoverShowsTheHighlightThenItsPreviewThenHidesTheOthersInOrder) {
    struct Case { ControlId normal, highlight; int preview; };
    for (Case c : {Case{C::Image1a, C::Image1b, 0}, Case{C::Image4a, C::Image4b, 3},
                   Case{C::Imagefa, C::Imagefb, 7}, Case{C::Image6a, C::Image6b, 4},
                   Case{C::Image5a, C::Image5b, 5}}) {
        form.MouseMove(5, 5);
        writes.clear();
        PointAt(c.normal);
        std::vector<Write> expected = {{c.highlight, true}, {PreviewPicture(c.preview), true}};
        for (int k = 0; k < 8; ++k) {
            if (k != c.preview) expected.push_back({PreviewPicture(k), false});
        }
        EXPECT_EQ(writes, expected) << "preview " << c.preview;
        EXPECT_EQ(PreviewIndexOf(c.normal), c.preview);
        EXPECT_EQ(VisiblePreviews(), std::vector<ControlId>{PreviewPicture(c.preview)});
    }
    EXPECT_EQ(PreviewIndexOf(C::Image8a), std::nullopt);
}

TEST_F(Form2Test, ItemsHoveredInARowStayHighlightedAndExitAddsOnlyItsOwn) {
    PointAt(C::Image3a);
    PointAt(C::Image6a);  // no bare window in between
    EXPECT_TRUE(scene()[C::Image3b].visible);
    EXPECT_TRUE(scene()[C::Image6b].visible);
    EXPECT_EQ(VisiblePreviews(), std::vector<ControlId>{C::Image2_4});
    writes.clear();
    PointAt(C::Image8a);
    EXPECT_EQ(writes, (std::vector<Write>{{C::Image8b, true}}));
    EXPECT_EQ(VisiblePreviews(), std::vector<ControlId>{C::Image2_4});
    writes.clear();
    PointAt(C::Image8a);  // now over the highlight picture, which ignores moves
    PointAt(C::Image6a);
    EXPECT_TRUE(writes.empty());
}

TEST_F(Form2Test, LabelsPhotoBannerAndPreviewSwallowMoves) {
    PointAt(C::Image1a);
    writes.clear();
    for (ControlId id : {C::Labelsm, C::Labeladd, C::Labelwww, C::photo, C::Imagebt, C::Image2_0}) {
        PointAt(id);
    }
    EXPECT_TRUE(writes.empty());
    form.MouseMove(5, 5);
    PointAt(C::Image2_0);  // preview area with all previews hidden is bare window
    EXPECT_EQ(writes.size(), 52u);
}

TEST_F(Form2Test, EverySlideOutFollowsItsScheduleWithBothPicturesInStep) {
    struct Case { ControlId normal, highlight; int16_t step; std::vector<int> values; };
    const Case cases[] = {
        {C::Image1a, C::Image1b, 1250, {-1, -1251, -2501, -3751}},
        {C::Image2a, C::Image2b, 1000, {-1, -1001, -2001, -3001, -4001}},
        {C::Image3a, C::Image3b, 450, {-1, -451, -901, -1351, -1801, -2251, -2701, -3151, -3601, -4051, -4501, -4951}},
        {C::Image4a, C::Image4b, 710, {-1, -711, -1421, -2131, -2841, -3551, -4261, -4971}},
        {C::Imagefa, C::Imagefb, 710, {-1, -711, -1421, -2131, -2841, -3551, -4261, -4971}},
        {C::Image5a, C::Image5b, 990, {-1, -991, -1981, -2971, -3961, -4951}},
        {C::Image6a, C::Image6b, 1260, {-1, -1261, -2521, -3781}},
        {C::Image7a, C::Image7b, 1250, {-1, -1251, -2501, -3751}},
    };
    for (const Case& c : cases) {
        const PixelRect before = scene().Bounds(c.highlight);
        const bool normalVisible = scene()[c.normal].visible;
        std::vector<ControlId> order;
        scene().onWrite = [&](ControlId id, Property) {
            order.push_back(id);
            lefts[id].push_back(scene()[id].left);
        };
        form.SlideOut(c.normal, c.highlight, c.step);
        EXPECT_EQ(lefts[c.normal], c.values);
        EXPECT_EQ(lefts[c.highlight], c.values);
        for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], i % 2 ? c.highlight : c.normal);
        const PixelRect after = scene().Bounds(c.highlight);
        EXPECT_EQ(after.top, before.top);
        EXPECT_EQ(after.width, before.width);
        EXPECT_EQ(after.height, before.height);
        EXPECT_EQ(scene()[c.normal].visible, normalVisible);
        EXPECT_LE(after.left + after.width, 0);
    }
}

TEST_F(Form2Test, SlidOutItemIsUnreachableAndItsResultLineTakesThePointer) {
    platform.AddFile("\\IMEData\\pjlc2.IME", "ime");
    platform.AddFile("\\IMEData\\pjlc2.MB", "mb");
    PointAt(C::Image6a);
    PointAt(C::Image6b);
    form.Click(C::Image6b);
    EXPECT_EQ(scene()[C::Image6a].left, -3781);
    EXPECT_TRUE(scene()[C::Label6].visible);
    EXPECT_EQ(scene().HitTest(110, 213), C::Label6);
    writes.clear();
    PointAt(C::Label6);
    EXPECT_TRUE(writes.empty());
    form.MouseMove(5, 5);  // the reset still writes the slid-out pictures, invisibly
    EXPECT_FALSE(scene()[C::Image6b].visible);
    EXPECT_EQ(scene()[C::Image6a].left, -3781);
}

TEST_F(Form2Test, ClicksReachOnlyHighlightPicturesAndTheBanner) {
    form.Click(C::Image8a);
    form.Click(C::Image3a);
    form.Click(C::photo);
    EXPECT_TRUE(platform.calls.empty());
    form.Click(C::Imagebt);
    form.Click(C::Imagebt);
    EXPECT_EQ(platform.CallsOf("ShowMessage"),
              (Calls{"ShowMessage " + std::string(kCopyrightNotice), "ShowMessage " + std::string(kCopyrightNotice)}));
    EXPECT_NE(std::string(kCopyrightNotice).find(DesignOf(C::Labeladd).caption), std::string::npos);
    EXPECT_EQ(VisiblePreviews(), std::vector<ControlId>{});
    PointAt(C::Image8a);
    form.Click(C::Image8b);
    EXPECT_EQ(platform.calls.back(), "EndProgram");
}

TEST_F(Form2Test, NoticeOpensBeforeALargeCharacterSetInstallOnNt) {
    int notices = 0;
    form.showNotice = [&] {
        ++notices;
        EXPECT_TRUE(platform.CallsOf("FindFile").empty());
    };
    PointAt(C::Imagefa);
    form.Click(C::Imagefb);
    EXPECT_EQ(notices, 1);
    EXPECT_FALSE(platform.CallsOf("FindFile").empty());
}

TEST_F(Form2Test, FailedTutorialStartPutsTheItemBackWhereItCanBeHoveredAgain) {
    platform.startErrors["\\IMEData\\lcsetup\\Setup.exe"] = os_error::kFileNotFound;
    PointAt(C::Image1a);
    form.Click(C::Image1b);
    EXPECT_EQ(scene()[C::Image1a].left, DesignOf(C::Image1a).left);
    EXPECT_EQ(scene()[C::Image1b].left, DesignOf(C::Image1b).left);
    EXPECT_FALSE(scene()[C::Label1].visible);
    form.MouseMove(5, 5);
    PointAt(C::Image1a);
    EXPECT_TRUE(scene()[C::Image1b].visible);
}

TEST_F(Form2Test, EveryItemClickedTwiceInARowRunsItsActionOnce) {
    platform.AddFile("\\IMEData\\lcsetup\\Setup.exe");
    platform.AddFile("\\IMEData\\plsetup\\Setup.exe");
    for (const ImeEdition& entry : kImeEditions) {
        platform.AddFile("\\IMEData\\" + std::string(entry.nt.imeFile));
        platform.AddFile("\\IMEData\\" + std::string(entry.nt.codeTableFile));
    }
    int notices = 0;
    form.showNotice = [&] { ++notices; };
    constexpr std::pair<ControlId, ControlId> kItems[] = {
        {C::Image1a, C::Image1b}, {C::Image2a, C::Image2b}, {C::Image3a, C::Image3b}, {C::Image6a, C::Image6b},
        {C::Image4a, C::Image4b}, {C::Imagefa, C::Imagefb}, {C::Image7a, C::Image7b}, {C::Image5a, C::Image5b}};
    for (const auto& [normal, highlight] : kItems) {
        form.MouseMove(5, 5);
        PointAt(normal);
        ClickAt(highlight);
        PointAt(normal);  // the result line lies there now
        ClickAt(highlight);
    }
    EXPECT_EQ(platform.CallsOf("StartProgram").size(), 2u);
    EXPECT_EQ(platform.CallsOf("InstallIme").size(), 6u);
    EXPECT_EQ(notices, 2);
    EXPECT_TRUE(platform.CallsOf("ShowMessage").empty());
    for (ControlId label : {C::Label1, C::Label2, C::Label3, C::Label4, C::Label5, C::Label6, C::Label7, C::Label8}) {
        EXPECT_TRUE(scene()[label].visible);
    }
}

}  // namespace
}  // namespace lcime
