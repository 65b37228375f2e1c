// Names of the menu window's 39 controls, shared by the menu and the install actions.
#pragma once

#include <cstdint>

namespace lcime {

enum class ControlId : uint8_t {
    // Normal and highlight pictures of the nine items, keys 1 to 8 and f.
    Image1a, Image1b, Image2a, Image2b, Image3a, Image3b, Image4a, Image4b,
    Image5a, Image5b, Image6a, Image6b, Image7a, Image7b, Image8a, Image8b,
    Imagefa, Imagefb,
    // The preview group Image2, Index 0 to 7.
    Image2_0, Image2_1, Image2_2, Image2_3, Image2_4, Image2_5, Image2_6, Image2_7,
    // Result lines; Label8 belongs to item f.
    Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8,
    Imagebt, photo, Labelsm, Labeladd, Labelwww,
    Count
};

constexpr int kControlCount = static_cast<int>(ControlId::Count);
static_assert(kControlCount == 39, "the menu window has 39 controls");

// Member Index of the preview group.
constexpr ControlId PreviewPicture(int index) {
    return static_cast<ControlId>(static_cast<int>(ControlId::Image2_0) + index);
}

}  // namespace lcime
