// Copies an edition's IME and code-table files into the system directory when they are not
// already there under exactly their names, slides the item away, registers the IME and
// shows the item's result line.
#include "install/InstallImeEdition.h"

#include "install/ErrorReport.h"

namespace lcime {
namespace {

// Copies one file unless a normal file of exactly that name, letter case included, is
// already in the system directory. Reports a failure and returns false.
bool PlaceFile(std::string_view name, const std::string& medium, const Module1& state, Platform& platform) {
    const std::string destination = state.gSysDir + std::string(name);
    const FindResult found = platform.FindFile(destination);
    if (found.error != os_error::kNone) {
        ShowErrorReport(platform, FailedOperation::Find, found.error, destination);
        return false;
    }
    if (found.storedName == name) return true;
    const std::string source = medium + std::string(kMediumFolder) + std::string(name);
    if (OsError error = platform.Copy(source, destination)) {
        ShowErrorReport(platform, FailedOperation::Copy, error, source, destination);
        return false;
    }
    return true;
}

}  // namespace

std::string MediumRoot(Platform& platform) {
    const std::string beside = platform.ExecutableFolder();
    if (platform.FolderExists(beside + std::string(kMediumFolder.substr(0, kMediumFolder.size() - 1)))) return beside;
    std::string root = platform.FullPathName("\\");
    if (!root.empty() && root.back() == '\\') root.pop_back();
    return root;
}

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

    // A failed copy leaves the item in place, unregistered, so it can be tried again.
    const std::string medium = MediumRoot(platform);
    if (!PlaceFile(build.imeFile, medium, state, platform)) return;
    if (!PlaceFile(build.codeTableFile, medium, state, platform)) return;

    ui.SlideOut(item.normalPicture, item.highlightPicture, item.slideStep);
    const std::string imePath = state.gSysDir + std::string(build.imeFile);
    if (platform.InstallIme(imePath, std::string(entry.layoutText)) == 0) {
        ui.SetCaption(item.resultLabel, std::string(entry.failureText));
    }
    ui.ShowControl(item.resultLabel);
}

}  // namespace lcime
