// The menu window's behaviour, apart from drawing: start-up, hover highlighting and previews,
// the slide-out of item pictures, and the click handlers of the banner and the nine items.
// The Win32 window feeds it mouse events and paints its scene.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "app/Module1.h"
#include "install/Catalogue.h"
#include "install/InstallerUi.h"
#include "install/TutorialLaunch.h"
#include "menu/Scene.h"
#include "platform/Platform.h"
#include "Version.h"

namespace lcime {

constexpr std::string_view kForm2Caption = "岚辰输入法系列";
// One line: the maker's name and the reservation of all rights.
constexpr std::string_view kCopyrightNotice = LCIME_COMPANY_NAME " 版权所有，保留一切权利。";

struct MenuItem;

class Form2 final : public InstallerUi {
public:
    Form2(Platform& platform, Module1& state);

    Scene& scene() { return scene_; }
    // Opens the notice dialog modally; the window layer sets it.
    std::function<void()> showNotice;

    // Runs the start-up probe; false when the program has been ended.
    bool Form_Load();

    // Mouse routing: the event goes to the topmost visible control under the pointer, or to
    // the window over bare client area; a control without a handler drops it.
    void MouseMove(int x, int y);
    // The left button pressed and released: a click on the control under the pointer when
    // both happen over the same one and it is still visible.
    void MouseDown(int x, int y);
    void MouseUp(int x, int y);

    void Form_MouseMove();
    void Image1a_MouseMove();
    void Image2a_MouseMove();
    void Image3a_MouseMove();
    void Image4a_MouseMove();
    void Image5a_MouseMove();
    void Image6a_MouseMove();
    void Image7a_MouseMove();
    void Image8a_MouseMove();
    void Imagefa_MouseMove();

    void Image1b_Click();
    void Image2b_Click();
    void Image3b_Click();
    void Image4b_Click();
    void Image5b_Click();
    void Image6b_Click();
    void Image7b_Click();
    void Image8b_Click();
    void Imagefb_Click();
    void Imagebt_Click();

    // InstallerUi
    void ShowNotice() override;
    void SlideOut(ControlId normalPicture, ControlId highlightPicture, int16_t step) override;
    void ReturnToPlace(ControlId normalPicture, ControlId highlightPicture) override;
    void SetCaption(ControlId label, const std::string& caption) override;
    void ShowControl(ControlId control) override;

private:
    void ShowPreview(int16_t index);
    void HoverItem(const MenuItem& item);
    void RunItem(const MenuItem& item);

    Platform& platform_;
    Module1& state_;
    Scene scene_;
    std::optional<ControlId> pressed_;  // the control under the button press
};

// The nine menu items: the pictures that show them at rest and highlighted, the preview shown
// while the pointer is on them, what a click does (install an edition, start a tutorial's setup,
// or, with neither, end the program) and the handlers their pictures route to. The slide-out step
// and result line belong to the install items.
struct MenuItem : ItemControls {
    using Handler = void (Form2::*)();
    int16_t preview;  // kNoPreview: pointing at the item leaves the previews as they are
    const ImeEdition* edition;
    const Tutorial* tutorial;
    Handler mouseMove;
    Handler click;
};
constexpr int16_t kNoPreview = -1;
constexpr ControlId kNoResultLine = ControlId::Count;
extern const std::array<MenuItem, 9> kMenuItems;

// The item whose normal or highlight picture the control is; none for any other control.
const MenuItem* ItemOf(ControlId picture);

}  // namespace lcime
