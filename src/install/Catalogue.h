// The six IME editions the installer offers, as constant data. Which menu item installs which
// edition is said by the menu's item table.
#pragma once

#include <array>
#include <string_view>

namespace lcime {

struct ImeBuild {
    std::string_view imeFile;        // empty where the edition has no such build
    std::string_view codeTableFile;
};

struct ImeEdition {
    std::string_view edition;
    bool largeCharacterSet;  // the GB18030 editions: NT family only, notice first
    ImeBuild win9x;
    ImeBuild nt;
    std::string_view layoutText;
    std::string_view failureText;
};

extern const ImeEdition kEdition66;
extern const ImeEdition kEditionGb18030Simplified;
extern const ImeEdition kEditionGb18030Traditional;
extern const ImeEdition kEditionTraditional;
extern const ImeEdition kEditionPopular;
extern const ImeEdition kEditionHongKongMacau;

// The whole catalogue, for what concerns every edition (the files of a medium).
extern const std::array<const ImeEdition*, 6> kImeEditions;

}  // namespace lcime
