// The menu window's control inventory and the scene that holds its run-time state.
#include "menu/Scene.h"

#include "resource.h"
#include "Version.h"

namespace lcime {

namespace {
using C = ControlId;
constexpr ControlKind P = ControlKind::Picture;
constexpr ControlKind L = ControlKind::Label;
constexpr FontId kNoFont = FontId::None;
}  // namespace

// Stacking order, topmost first; positions and sizes in twips.
const std::array<ControlDesign, kControlCount> kInventory = {{
    {C::Image2_7, "Image2(7)", P, 5280, 2880, 3225, 2325, false, IDR_PREVIEW7, {}, kNoFont},
    {C::Label8, "Label8", L, 840, 4265, 3135, 255, false, 0, "大字集（繁）岚辰  安装成功", FontId::Heiti12},
    {C::Imagefb, "Imagefb", P, 840, 4140, 3150, 405, false, IDR_IMAGEFB, {}, kNoFont},
    {C::Imagefa, "Imagefa", P, 840, 4145, 3150, 405, true, IDR_IMAGEFA, {}, kNoFont},
    {C::Image2_6, "Image2(6)", P, 5280, 2880, 3225, 2325, false, IDR_PREVIEW6, {}, kNoFont},
    {C::Image2_5, "Image2(5)", P, 5280, 2880, 3225, 2325, false, IDR_PREVIEW5, {}, kNoFont},
    {C::Image2_4, "Image2(4)", P, 5280, 2880, 3225, 2325, false, IDR_PREVIEW4, {}, kNoFont},
    {C::Image2_3, "Image2(3)", P, 5280, 2880, 3225, 2325, false, IDR_PREVIEW3, {}, kNoFont},
    {C::Image2_2, "Image2(2)", P, 5280, 2880, 3225, 2325, false, IDR_PREVIEW2, {}, kNoFont},
    {C::Image2_1, "Image2(1)", P, 5280, 2880, 3225, 2325, false, IDR_PREVIEW1, {}, kNoFont},
    {C::Image2_0, "Image2(0)", P, 5280, 2880, 3225, 2325, false, IDR_PREVIEW0, {}, kNoFont},
    {C::Image6b, "Image6b", P, 600, 3015, 3150, 405, false, IDR_IMAGE6B, {}, kNoFont},
    {C::Image6a, "Image6a", P, 600, 3015, 3150, 405, true, IDR_IMAGE6A, {}, kNoFont},
    {C::Label6, "Label6", L, 1560, 3135, 2415, 255, false, 0, "普及型岚辰  安装成功", FontId::Heiti12},
    {C::Label7, "Label7", L, 1560, 4830, 2415, 255, false, 0, "港澳用岚辰  安装成功", FontId::Heiti12},
    {C::Label5, "Label5", L, 1800, 5400, 2175, 255, false, 0, "繁体岚辰  安装成功", FontId::Heiti12},
    {C::Label4, "Label4", L, 1560, 3700, 2415, 255, false, 0, "大字集岚辰  安装成功", FontId::Heiti12},
    {C::Label3, "Label3", L, 1440, 2570, 2535, 255, false, 0, "岚辰 6.6 版  安装成功", FontId::Heiti12},
    {C::Label2, "Label2", L, 1080, 2005, 2895, 255, false, 0, "《轻松学普岚》  安装成功", FontId::Heiti12},
    {C::Label1, "Label1", L, 1080, 1440, 2895, 255, false, 0, "《轻松学岚辰》  安装成功", FontId::Heiti12},
    {C::Labelsm, "Labelsm", L, 5280, 2520, 3255, 255, true, 0, "荣获全国优秀软件产品金奖！", FontId::NewSong12},
    {C::Labeladd, "Labeladd", L, 5330, 5940, 3135, 255, true, 0, LCIME_COMPANY_NAME, FontId::Heiti12},
    {C::Labelwww, "Labelwww", L, 600, 5880, 2655, 495, true, 0, "www.lcxh-soft.com.cn www.lcime.com.cn", FontId::Arial9Bold},
    {C::photo, "photo", P, 5400, 240, 2955, 2220, true, IDR_PHOTO, {}, kNoFont},
    {C::Imagebt, "Imagebt", P, 600, 360, 4110, 525, true, IDR_BANNER, {}, kNoFont},
    {C::Image2b, "Image2b", P, 1080, 1885, 3150, 405, false, IDR_IMAGE2B, {}, kNoFont},
    {C::Image3b, "Image3b", P, 840, 2450, 3150, 405, false, IDR_IMAGE3B, {}, kNoFont},
    {C::Image4b, "Image4b", P, 600, 3580, 3150, 405, false, IDR_IMAGE4B, {}, kNoFont},
    {C::Image5b, "Image5b", P, 1320, 5280, 3150, 405, false, IDR_IMAGE5B, {}, kNoFont},
    {C::Image8b, "Image8b", P, 5800, 5280, 2220, 405, false, IDR_IMAGE8B, {}, kNoFont},
    {C::Image1b, "Image1b", P, 1320, 1320, 3150, 405, false, IDR_IMAGE1B, {}, kNoFont},
    {C::Image7b, "Image7b", P, 1080, 4710, 3150, 405, false, IDR_IMAGE7B, {}, kNoFont},
    {C::Image8a, "Image8a", P, 5800, 5280, 2220, 405, true, IDR_IMAGE8A, {}, kNoFont},
    {C::Image2a, "Image2a", P, 1080, 1885, 3150, 405, true, IDR_IMAGE2A, {}, kNoFont},
    {C::Image3a, "Image3a", P, 840, 2450, 3150, 405, true, IDR_IMAGE3A, {}, kNoFont},
    {C::Image4a, "Image4a", P, 600, 3580, 3150, 405, true, IDR_IMAGE4A, {}, kNoFont},
    {C::Image5a, "Image5a", P, 1320, 5280, 3150, 405, true, IDR_IMAGE5A, {}, kNoFont},
    {C::Image1a, "Image1a", P, 1320, 1320, 3150, 405, true, IDR_IMAGE1A, {}, kNoFont},
    {C::Image7a, "Image7a", P, 1080, 4710, 3150, 405, true, IDR_IMAGE7A, {}, kNoFont},
}};

namespace {

// Position of each control in the stacking order, built once from the inventory.
struct StackIndex {
    std::array<int, kControlCount> of{};
    StackIndex() {
        for (int i = 0; i < kControlCount; ++i) of[static_cast<int>(kInventory[i].id)] = i;
    }
};
const StackIndex kStack;

}  // namespace

const ControlDesign& DesignOf(ControlId id) { return kInventory[kStack.of[static_cast<int>(id)]]; }

Scene::Scene(int dpi) : dpi_(dpi) {
    for (const ControlDesign& design : kInventory) {
        Control& control = controls_[Index(design.id)];
        control.left = design.left;
        control.visible = design.visible;
        control.caption = std::string(design.caption);
    }
}

PixelRect Scene::ClientArea(int dpi) {
    return {0, 0, ToPixels(kClientWidthTwips, dpi), ToPixels(kClientHeightTwips, dpi)};
}

PixelRect Scene::Bounds(ControlId id) const {
    const ControlDesign& design = DesignOf(id);
    return {ToPixels(controls_[Index(id)].left, dpi_), ToPixels(design.top, dpi_), ToPixels(design.width, dpi_),
            ToPixels(design.height, dpi_)};
}

void Scene::SetDpi(int dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    Invalidate(ClientArea());
}

void Scene::Invalidate(const PixelRect& rect) {
    if (onInvalidate) onInvalidate(rect);
}

void Scene::SetVisible(ControlId id, bool visible) {
    Control& control = controls_[Index(id)];
    if (control.visible != visible) {
        control.visible = visible;
        Invalidate(Bounds(id));
    }
    if (onWrite) onWrite(id, Property::Visible);
}

void Scene::SetLeft(ControlId id, int twips) {
    Control& control = controls_[Index(id)];
    if (control.left != twips) {
        const PixelRect old = Bounds(id);
        control.left = twips;
        Invalidate(old);
        Invalidate(Bounds(id));
    }
    if (onWrite) onWrite(id, Property::Left);
}

void Scene::SetCaption(ControlId id, std::string caption) {
    Control& control = controls_[Index(id)];
    if (control.caption != caption) {
        control.caption = std::move(caption);
        Invalidate(Bounds(id));
    }
    if (onWrite) onWrite(id, Property::Caption);
}

std::vector<ControlId> Scene::PaintOrder(const PixelRect& area) const {
    std::vector<ControlId> order;
    for (auto design = kInventory.rbegin(); design != kInventory.rend(); ++design) {
        if (controls_[Index(design->id)].visible && Bounds(design->id).Overlaps(area)) order.push_back(design->id);
    }
    return order;
}

std::optional<ControlId> Scene::HitTest(int x, int y) const {
    for (const ControlDesign& design : kInventory) {
        if (controls_[Index(design.id)].visible && Bounds(design.id).Contains(x, y)) return design.id;
    }
    return std::nullopt;
}

}  // namespace lcime
