// The two tutorial items: slide the item away, start the tutorial's own setup program from
// the medium, show the item's result line.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "install/InstallImeEdition.h"

namespace lcime {

struct Tutorial {
    ControlId normalPicture;
    ControlId highlightPicture;
    int16_t slideStep;
    std::string_view setupProgram;  // on the medium, no arguments
    ControlId resultLabel;
};

extern const std::array<Tutorial, 2> kTutorials;

void LaunchTutorial(const Tutorial& tutorial, Platform& platform, InstallerUi& ui);

}  // namespace lcime
