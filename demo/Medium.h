// Lays out a demo installation medium: Setup.exe at its root, IMEData\ with every IME and
// code-table file of the catalogue, the 64-bit builds of the NT-family IMEs in IMEData\x64\, and
// the tutorial stand-in as both tutorial setup programs.
// Used by the host tool that run-demo calls and by the end-to-end tests under Wine, so both
// share one layout taken from the catalogue itself.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lcime::demo {

struct MediumSources {
    std::filesystem::path setupExe;    // the Setup.exe to put at the root
    std::filesystem::path imeModule;   // the 32-bit demo input method, copied under each .IME
                                       // name with the file's own name appended after its image
    std::filesystem::path imeModule64; // the 64-bit one, the same way under the NT-family names
                                       // in the 64-bit folder; none when empty
    std::filesystem::path standinExe;  // stands in for both tutorial setup programs
};

// Every IME and code-table file name of the catalogue (9x and NT builds), in exact case.
std::vector<std::string> MediumImeFiles();

// The medium's data folder, relative to its root ("IMEData").
std::filesystem::path DataFolder();

// Every file the installer reads from the data folder, relative to it, in exact case: the IME
// and code-table files and the tutorial setup programs. A maker's release holds them all.
std::vector<std::filesystem::path> EditionFiles();

// The 64-bit builds a medium may hold, relative to the data folder: the NT-family IME names in
// its 64-bit folder.
std::vector<std::filesystem::path> Edition64BitFiles();

struct CodeTableLine {
    std::string code;  // lower-case letters
    std::string text;  // UTF-8
};

// The demo code table of `<base>.MB`: mappings common to every edition, the edition's layout
// text, and the base name itself, so that no two tables are alike.
std::vector<CodeTableLine> CodeTableLines(const std::string& baseName);

// The demo code table written as `<base>.MB`: UTF-8 lines "<letters>\t<text>".
std::string CodeTableFor(const std::string& baseName);

// Creates or refreshes the layout under `folder`; files of an earlier layout are overwritten
// and the stand-ins' logs removed, nothing else is touched. Throws on a file error.
void LayOutMedium(const std::filesystem::path& folder, const MediumSources& sources);

// The same for the data folder alone: the demo editions as a maker hands them to a release.
void LayOutEditions(const std::filesystem::path& folder, const std::filesystem::path& imeModule,
                    const std::filesystem::path& imeModule64, const std::filesystem::path& standinExe);

}  // namespace lcime::demo
