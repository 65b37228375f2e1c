// The install procedure shared by the six IME items.
#pragma once

#include <string>

#include "app/Module1.h"
#include "install/Catalogue.h"
#include "install/InstallerUi.h"
#include "platform/Platform.h"

namespace lcime {

constexpr std::string_view kRefusedOn9x = "在 Win9X 上不能安装大字符集岚辰输入法！";

void InstallImeEdition(const ImeEdition& entry, const ItemControls& item, const Module1& state,
                       Platform& platform, InstallerUi& ui);

}  // namespace lcime
