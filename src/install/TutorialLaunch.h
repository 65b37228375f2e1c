// The two tutorial items: slide the item away, start the tutorial's own setup program from
// the medium, show the item's result line.
#pragma once

#include <array>
#include <string_view>

#include "install/InstallerUi.h"
#include "platform/Platform.h"

namespace lcime {

struct Tutorial {
    std::string_view setupProgram;  // in the medium's data folder; started with no arguments
};

extern const Tutorial kTutorialStandard;  // 《轻松学岚辰》
extern const Tutorial kTutorialPopular;   // 《轻松学普岚》
extern const std::array<const Tutorial*, 2> kTutorials;

void LaunchTutorial(const Tutorial& tutorial, const ItemControls& item, Platform& platform, InstallerUi& ui);

}  // namespace lcime
