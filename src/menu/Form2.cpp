// Handlers of the menu window and the tables that route its mouse events to them.
#include "menu/Form2.h"

#include "app/Probe.h"
#include "install/Catalogue.h"
#include "install/TutorialLaunch.h"

namespace lcime {
namespace {

using C = ControlId;
using Handler = void (Form2::*)();

struct Route {
    ControlId control;
    Handler handler;
};

constexpr Route kMouseMoveRoutes[] = {
    {C::Image1a, &Form2::Image1a_MouseMove}, {C::Image2a, &Form2::Image2a_MouseMove},
    {C::Image3a, &Form2::Image3a_MouseMove}, {C::Image4a, &Form2::Image4a_MouseMove},
    {C::Image5a, &Form2::Image5a_MouseMove}, {C::Image6a, &Form2::Image6a_MouseMove},
    {C::Image7a, &Form2::Image7a_MouseMove}, {C::Image8a, &Form2::Image8a_MouseMove},
    {C::Imagefa, &Form2::Imagefa_MouseMove},
};

constexpr Route kClickRoutes[] = {
    {C::Image1b, &Form2::Image1b_Click}, {C::Image2b, &Form2::Image2b_Click},
    {C::Image3b, &Form2::Image3b_Click}, {C::Image4b, &Form2::Image4b_Click},
    {C::Image5b, &Form2::Image5b_Click}, {C::Image6b, &Form2::Image6b_Click},
    {C::Image7b, &Form2::Image7b_Click}, {C::Image8b, &Form2::Image8b_Click},
    {C::Imagefb, &Form2::Imagefb_Click}, {C::Imagebt, &Form2::Imagebt_Click},
};

// Preview index per install item; it follows neither the key nor the screen order.
struct PreviewOf {
    ControlId normalPicture;
    int16_t index;
};
constexpr PreviewOf kPreviews[] = {
    {C::Image1a, 0}, {C::Image2a, 1}, {C::Image3a, 2}, {C::Image4a, 3},
    {C::Image6a, 4}, {C::Image5a, 5}, {C::Image7a, 6}, {C::Imagefa, 7},
};

template <size_t N>
Handler Find(const Route (&routes)[N], ControlId control) {
    for (const Route& route : routes) {
        if (route.control == control) return route.handler;
    }
    return nullptr;
}

}  // namespace

std::optional<int16_t> PreviewIndexOf(ControlId normalPicture) {
    for (const PreviewOf& preview : kPreviews) {
        if (preview.normalPicture == normalPicture) return preview.index;
    }
    return std::nullopt;
}

Form2::Form2(Platform& platform, Module1& state) : platform_(platform), state_(state) {}

bool Form2::Form_Load() { return RunProbe(platform_, state_); }

void Form2::MouseMove(int x, int y) {
    const std::optional<ControlId> target = scene_.HitTest(x, y);
    if (!target) return Form_MouseMove();
    if (Handler handler = Find(kMouseMoveRoutes, *target)) (this->*handler)();
}

void Form2::Click(ControlId control) {
    if (!scene_[control].visible) return;
    if (Handler handler = Find(kClickRoutes, control)) (this->*handler)();
}

// The reset: every item back to its normal picture, every preview hidden. All 26 writes
// happen on every call; item f writes its normal picture first.
void Form2::Form_MouseMove() {
    constexpr std::pair<ControlId, ControlId> kItems[] = {
        {C::Image1b, C::Image1a}, {C::Image2b, C::Image2a}, {C::Image3b, C::Image3a},
        {C::Image4b, C::Image4a}, {C::Image5b, C::Image5a}, {C::Image6b, C::Image6a},
        {C::Image7b, C::Image7a}, {C::Image8b, C::Image8a},
    };
    for (const auto& [highlight, normal] : kItems) {
        scene_.SetVisible(highlight, false);
        scene_.SetVisible(normal, true);
    }
    scene_.SetVisible(C::Imagefa, true);
    scene_.SetVisible(C::Imagefb, false);
    for (int16_t k = 0; k <= 7; ++k) scene_.SetVisible(PreviewPicture(k), false);
}

void Form2::HoverItem(ControlId normalPicture, ControlId highlightPicture) {
    scene_.SetVisible(highlightPicture, true);
    if (const std::optional<int16_t> index = PreviewIndexOf(normalPicture)) ShowPreview(*index);
}

void Form2::Image1a_MouseMove() { HoverItem(C::Image1a, C::Image1b); }
void Form2::Image2a_MouseMove() { HoverItem(C::Image2a, C::Image2b); }
void Form2::Image3a_MouseMove() { HoverItem(C::Image3a, C::Image3b); }
void Form2::Image4a_MouseMove() { HoverItem(C::Image4a, C::Image4b); }
void Form2::Image5a_MouseMove() { HoverItem(C::Image5a, C::Image5b); }
void Form2::Image6a_MouseMove() { HoverItem(C::Image6a, C::Image6b); }
void Form2::Image7a_MouseMove() { HoverItem(C::Image7a, C::Image7b); }
void Form2::Imagefa_MouseMove() { HoverItem(C::Imagefa, C::Imagefb); }
// The exit item has no preview: the previews keep whatever state they have.
void Form2::Image8a_MouseMove() { scene_.SetVisible(C::Image8b, true); }

// Shows preview `index` first, then hides the other seven in ascending order.
void Form2::ShowPreview(int16_t index) {
    scene_.SetVisible(PreviewPicture(index), true);
    for (int16_t k = 0; k < index; ++k) scene_.SetVisible(PreviewPicture(k), false);
    for (int16_t k = index + 1; k <= 7; ++k) scene_.SetVisible(PreviewPicture(k), false);
}

// Moves both pictures leftwards in whole passes, without yielding between them; only the
// final place matters.
void Form2::SlideOut(ControlId normalPicture, ControlId highlightPicture, int16_t step) {
    for (int16_t v = 1; v <= 5000; v = static_cast<int16_t>(v + step)) {
        scene_.SetLeft(normalPicture, -v);
        scene_.SetLeft(highlightPicture, -v);
    }
}

void Form2::ReturnToPlace(ControlId normalPicture, ControlId highlightPicture) {
    scene_.SetLeft(normalPicture, DesignOf(normalPicture).left);
    scene_.SetLeft(highlightPicture, DesignOf(highlightPicture).left);
}

void Form2::SetCaption(ControlId label, const std::string& caption) { scene_.SetCaption(label, caption); }
void Form2::ShowControl(ControlId control) { scene_.SetVisible(control, true); }

void Form2::ShowNotice() {
    if (showNotice) showNotice();
}

void Form2::InstallEdition(ControlId highlightPicture) {
    InstallImeEdition(EditionFor(highlightPicture), state_, platform_, *this);
}

void Form2::LaunchTutorialOf(ControlId highlightPicture) {
    LaunchTutorial(TutorialFor(highlightPicture), platform_, *this);
}

void Form2::Image1b_Click() { LaunchTutorialOf(C::Image1b); }
void Form2::Image2b_Click() { LaunchTutorialOf(C::Image2b); }
void Form2::Image3b_Click() { InstallEdition(C::Image3b); }
void Form2::Image4b_Click() { InstallEdition(C::Image4b); }
void Form2::Image5b_Click() { InstallEdition(C::Image5b); }
void Form2::Image6b_Click() { InstallEdition(C::Image6b); }
void Form2::Image7b_Click() { InstallEdition(C::Image7b); }
void Form2::Imagefb_Click() { InstallEdition(C::Imagefb); }
void Form2::Image8b_Click() { platform_.EndProgram(); }
void Form2::Imagebt_Click() { platform_.ShowMessage(std::string(kCopyrightNotice)); }

}  // namespace lcime
