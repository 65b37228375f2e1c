// Copies an edition's IME and code-table files into the system directory when they are not
// already there under exactly their names, on 64-bit Windows also its 64-bit build and code table
// into the 64-bit system directory, slides the item away, registers the IME once and shows the
// item's result line.
#include "install/InstallImeEdition.h"

#include <optional>

#include "install/ErrorReport.h"
#include "install/Medium.h"

namespace lcime {
namespace {

// Copies one file of the medium into `directory` unless a normal file of exactly its name, letter
// case included, is already there. Reports a failure and returns false.
bool PlaceFile(const std::string& medium, const std::optional<std::string>& sums, std::string_view name, Build from,
               const std::string& directory, Platform& platform) {
    const std::string destination = directory + std::string(name);
    const FindResult found = platform.FindFile(destination);
    if (found.error != os_error::kNone) {
        ShowErrorReport(platform, FailedOperation::Find, found.error, destination);
        return false;
    }
    if (found.storedName == name) return true;
    // A release's Setup.exe copies only what it lists, and what it copies must have the listed sum.
    const std::string source = medium + MediumPath(name, from);
    const std::optional<std::string> sum = ExpectedSum(sums, DataPath(name, from));
    if (OsError error = sum ? platform.Copy(source, destination, *sum) : os_error::kFileCorrupt) {
        ShowErrorReport(platform, FailedOperation::Copy, error, source, destination);
        return false;
    }
    return true;
}

}  // namespace

void InstallImeEdition(const ImeEdition& entry, const ItemControls& item, const Module1& state,
                       Platform& platform, InstallerUi& ui) {
    if (entry.largeCharacterSet) {
        if (state.gWin9x) {
            platform.ShowMessage(std::string(kRefusedOn9x));
            return;
        }
        ui.ShowNotice();
    }
    const ImeBuild& build = state.gWin9x && !entry.largeCharacterSet ? entry.win9x : entry.nt;

    // On 64-bit Windows the 32-bit build goes where 32-bit programs load DLLs from; the 64-bit
    // build, where the medium has one and the 64-bit directory can be reached, goes where 64-bit
    // programs do, with the same code table. One registration serves both.
    const std::string medium = MediumRoot(platform);
    const std::optional<std::string> sums = platform.ReleaseSums();
    const std::optional<Wow64Directories> wow64 =
        state.gWin9x ? std::nullopt : platform.SystemDirectoriesOf64BitWindows();
    const std::string& directory32 = wow64 ? wow64->for32Bit : state.gSysDir;
    const bool with64Bit = wow64 && !wow64->for64Bit.empty() &&
                           !platform.FindFile(medium + MediumPath(build.imeFile, Build::k64Bit)).storedName.empty();

    // A failed copy leaves the item in place, unregistered, so it can be tried again.
    if (!PlaceFile(medium, sums, build.imeFile, Build::k32Bit, directory32, platform)) return;
    if (!PlaceFile(medium, sums, build.codeTableFile, Build::k32Bit, directory32, platform)) return;
    if (with64Bit) {
        if (!PlaceFile(medium, sums, build.imeFile, Build::k64Bit, wow64->for64Bit, platform)) return;
        if (!PlaceFile(medium, sums, build.codeTableFile, Build::k32Bit, wow64->for64Bit, platform)) return;
    }

    ui.SlideOut(item.normalPicture, item.highlightPicture, item.slideStep);
    const std::string imePath = state.gSysDir + std::string(build.imeFile);
    if (platform.InstallIme(imePath, std::string(entry.layoutText)) == 0) {
        ui.SetCaption(item.resultLabel, std::string(entry.failureText));
    }
    ui.ShowControl(item.resultLabel);
}

}  // namespace lcime
