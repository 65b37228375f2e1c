// What an item's action asks of the menu window: the item's own controls, its slide-out and
// result line, and the notice dialog.
#pragma once

#include <cstdint>
#include <string>

#include "menu/ControlId.h"

namespace lcime {

// The controls an install item's action moves and reveals.
struct ItemControls {
    ControlId normalPicture;
    ControlId highlightPicture;
    int16_t slideStep;      // twips per pass of the slide-out
    ControlId resultLabel;  // shown in the item's place once its action has run
};

class InstallerUi {
public:
    virtual ~InstallerUi() = default;
    // Shows the support-package notice modally; returns when it has been closed.
    virtual void ShowNotice() = 0;
    virtual void SlideOut(ControlId normalPicture, ControlId highlightPicture, int16_t step) = 0;
    // Puts an item's two pictures back at their design place after its action failed.
    virtual void ReturnToPlace(ControlId normalPicture, ControlId highlightPicture) = 0;
    virtual void SetCaption(ControlId label, const std::string& caption) = 0;
    virtual void ShowControl(ControlId control) = 0;
};

}  // namespace lcime
