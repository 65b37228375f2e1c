// The installer state: what the start-up probe learnt about the machine, kept for the run.
#pragma once

#include <string>

namespace lcime {

struct Module1 {
    bool gWin9x = false;  // platform identifier below 2: Win32s or the Windows 9x family
    std::string gSysDir;  // the system directory followed by exactly one backslash
};

}  // namespace lcime
