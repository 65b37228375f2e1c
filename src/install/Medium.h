// The installation medium: the folder that holds the editions' files and the tutorial setups,
// where it is found, and the path of each file on it for either build of an input method.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace lcime {

constexpr std::string_view kMediumFolder = "IMEData";
// Inside it, the 64-bit builds of the NT-family input methods under the catalogue's names.
constexpr std::string_view k64BitFolder = "x64";

enum class Build { k32Bit, k64Bit };

// The folder the medium's files are read from, without a trailing backslash: the folder of
// Setup.exe when IMEData stands beside it (a download, a folder on a stick or a share, started
// from anywhere), otherwise the root of the current drive, as for Setup.exe at a disc's root.
std::string MediumRoot(Platform& platform);

// A file of the data folder as a path inside it ("pjlc2.IME", "x64\pjlc2.IME", "lcsetup\Setup.exe").
std::string DataPath(std::string_view name, Build build = Build::k32Bit);

// The same from the medium's root, with no drive ("\IMEData\pjlc2.IME").
std::string MediumPath(std::string_view name, Build build = Build::k32Bit);

// The SHA-256 sum (64 lower-case hex digits) that a file of the data folder must have, from the
// list a release builds into Setup.exe (Platform::ReleaseSums): empty without a list (nothing is
// checked), nothing when the list lacks the file.
std::optional<std::string> ExpectedSum(const std::optional<std::string>& list, std::string_view dataPath);

}  // namespace lcime
