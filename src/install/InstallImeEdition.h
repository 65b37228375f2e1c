// The install procedure shared by the six IME items.
#pragma once

#include <string>

#include "app/Module1.h"
#include "install/Catalogue.h"
#include "install/InstallerUi.h"
#include "platform/Platform.h"

namespace lcime {

constexpr std::string_view kRefusedOn9x = "在 Win9X 上不能安装大字符集岚辰输入法！";
constexpr std::string_view kMediumFolder = "\\IMEData\\";

// The folder the medium's files are read from, without a trailing backslash: the folder of
// Setup.exe when IMEData stands beside it (a download, a folder on a stick or a share, started
// from anywhere), otherwise the root of the current drive, as for Setup.exe at a disc's root.
std::string MediumRoot(Platform& platform);

void InstallImeEdition(const ImeEdition& entry, const ItemControls& item, const Module1& state,
                       Platform& platform, InstallerUi& ui);

}  // namespace lcime
