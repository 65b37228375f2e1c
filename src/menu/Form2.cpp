// Handlers of the menu window and the table of its items that routes mouse events to them.
#include "menu/Form2.h"

#include <utility>

#include "app/Probe.h"
#include "install/InstallImeEdition.h"

namespace lcime {

using C = ControlId;

// In key order, item f last; the preview index follows neither the key nor the screen order.
const std::array<MenuItem, 9> kMenuItems = {{
    {{C::Image1a, C::Image1b, 1250, C::Label1}, 0, nullptr, &kTutorialStandard,
     &Form2::Image1a_MouseMove, &Form2::Image1b_Click},
    {{C::Image2a, C::Image2b, 1000, C::Label2}, 1, nullptr, &kTutorialPopular,
     &Form2::Image2a_MouseMove, &Form2::Image2b_Click},
    {{C::Image3a, C::Image3b, 450, C::Label3}, 2, &kEdition66, nullptr,
     &Form2::Image3a_MouseMove, &Form2::Image3b_Click},
    {{C::Image4a, C::Image4b, 710, C::Label4}, 3, &kEditionGb18030Simplified, nullptr,
     &Form2::Image4a_MouseMove, &Form2::Image4b_Click},
    {{C::Image5a, C::Image5b, 990, C::Label5}, 5, &kEditionTraditional, nullptr,
     &Form2::Image5a_MouseMove, &Form2::Image5b_Click},
    {{C::Image6a, C::Image6b, 1260, C::Label6}, 4, &kEditionPopular, nullptr,
     &Form2::Image6a_MouseMove, &Form2::Image6b_Click},
    {{C::Image7a, C::Image7b, 1250, C::Label7}, 6, &kEditionHongKongMacau, nullptr,
     &Form2::Image7a_MouseMove, &Form2::Image7b_Click},
    {{C::Image8a, C::Image8b, 0, kNoResultLine}, kNoPreview, nullptr, nullptr,
     &Form2::Image8a_MouseMove, &Form2::Image8b_Click},
    {{C::Imagefa, C::Imagefb, 710, C::Label8}, 7, &kEditionGb18030Traditional, nullptr,
     &Form2::Imagefa_MouseMove, &Form2::Imagefb_Click},
}};

const MenuItem* ItemOf(ControlId picture) {
    for (const MenuItem& item : kMenuItems) {
        if (item.normalPicture == picture || item.highlightPicture == picture) return &item;
    }
    return nullptr;
}

Form2::Form2(Platform& platform, Module1& state) : platform_(platform), state_(state) {}

bool Form2::Form_Load() { return RunProbe(platform_, state_); }

// Normal pictures take mouse moves, highlight pictures clicks; the banner is the one other
// control with a handler.
void Form2::MouseMove(int x, int y) {
    const std::optional<ControlId> target = scene_.HitTest(x, y);
    if (!target) return Form_MouseMove();
    const MenuItem* item = ItemOf(*target);
    if (item && item->normalPicture == *target) (this->*item->mouseMove)();
}

void Form2::MouseDown(int x, int y) { pressed_ = scene_.HitTest(x, y); }

void Form2::MouseUp(int x, int y) {
    const std::optional<ControlId> pressed = std::exchange(pressed_, std::nullopt);
    if (!pressed || pressed != scene_.HitTest(x, y)) return;
    if (*pressed == C::Imagebt) return Imagebt_Click();
    const MenuItem* item = ItemOf(*pressed);
    if (item && item->highlightPicture == *pressed) (this->*item->click)();
}

// The reset: every item back to its normal picture, every preview hidden. All 26 writes
// happen on every call; item f writes its normal picture first.
void Form2::Form_MouseMove() {
    for (const MenuItem& item : kMenuItems) {
        if (item.normalPicture == C::Imagefa) continue;
        scene_.SetVisible(item.highlightPicture, false);
        scene_.SetVisible(item.normalPicture, true);
    }
    scene_.SetVisible(C::Imagefa, true);
    scene_.SetVisible(C::Imagefb, false);
    for (int16_t k = 0; k <= 7; ++k) scene_.SetVisible(PreviewPicture(k), false);
}

void Form2::HoverItem(const MenuItem& item) {
    scene_.SetVisible(item.highlightPicture, true);
    if (item.preview != kNoPreview) ShowPreview(item.preview);
}

void Form2::Image1a_MouseMove() { HoverItem(*ItemOf(C::Image1a)); }
void Form2::Image2a_MouseMove() { HoverItem(*ItemOf(C::Image2a)); }
void Form2::Image3a_MouseMove() { HoverItem(*ItemOf(C::Image3a)); }
void Form2::Image4a_MouseMove() { HoverItem(*ItemOf(C::Image4a)); }
void Form2::Image5a_MouseMove() { HoverItem(*ItemOf(C::Image5a)); }
void Form2::Image6a_MouseMove() { HoverItem(*ItemOf(C::Image6a)); }
void Form2::Image7a_MouseMove() { HoverItem(*ItemOf(C::Image7a)); }
void Form2::Image8a_MouseMove() { HoverItem(*ItemOf(C::Image8a)); }
void Form2::Imagefa_MouseMove() { HoverItem(*ItemOf(C::Imagefa)); }

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

// An install item installs its edition or starts its tutorial's setup; the exit item ends the
// program.
void Form2::RunItem(const MenuItem& item) {
    if (item.edition) return InstallImeEdition(*item.edition, item, state_, platform_, *this);
    if (item.tutorial) return LaunchTutorial(*item.tutorial, item, platform_, *this);
    platform_.EndProgram(kExitNormal);
}

void Form2::Image1b_Click() { RunItem(*ItemOf(C::Image1b)); }
void Form2::Image2b_Click() { RunItem(*ItemOf(C::Image2b)); }
void Form2::Image3b_Click() { RunItem(*ItemOf(C::Image3b)); }
void Form2::Image4b_Click() { RunItem(*ItemOf(C::Image4b)); }
void Form2::Imagefb_Click() { RunItem(*ItemOf(C::Imagefb)); }
void Form2::Image5b_Click() { RunItem(*ItemOf(C::Image5b)); }
void Form2::Image6b_Click() { RunItem(*ItemOf(C::Image6b)); }
void Form2::Image7b_Click() { RunItem(*ItemOf(C::Image7b)); }
void Form2::Image8b_Click() { RunItem(*ItemOf(C::Image8b)); }
void Form2::Imagebt_Click() { platform_.ShowMessage(std::string(kCopyrightNotice)); }

}  // namespace lcime
