// The start-up probe: finds the platform family and the system directory once, before the
// menu window is first shown.
#pragma once

#include "app/Module1.h"
#include "platform/Platform.h"

namespace lcime {

// The whole start-up: fills the installer state, or ends the program and returns false.
bool RunProbe(Platform& platform, Module1& state);

}  // namespace lcime
