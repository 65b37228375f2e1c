// The six IME editions the installer offers, as constant data.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "menu/ControlId.h"

namespace lcime {

struct ImeBuild {
    std::string_view imeFile;        // empty where the edition has no such build
    std::string_view codeTableFile;
};

struct ImeEdition {
    std::string_view edition;
    bool largeCharacterSet;  // the GB18030 editions: NT family only, notice first
    ControlId normalPicture;
    ControlId highlightPicture;
    int16_t slideStep;
    ImeBuild win9x;
    ImeBuild nt;
    std::string_view layoutText;
    std::string_view failureText;
    ControlId resultLabel;
};

extern const std::array<ImeEdition, 6> kImeEditions;

}  // namespace lcime
