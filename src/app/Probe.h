// The start-up probe: finds the platform family and the system directory once, before the
// menu window is first shown.
#pragma once

#include <optional>

#include "app/Module1.h"
#include "platform/Platform.h"

namespace lcime {

// True on the 9x family. When the version query is refused it reports so, ends the program
// and returns nothing.
std::optional<bool> IsWin9x(Platform& platform);

// The whole start-up: fills the installer state, or ends the program and returns false.
bool RunProbe(Platform& platform, Module1& state);

}  // namespace lcime
