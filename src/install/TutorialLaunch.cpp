// Starts the tutorial setup programs of items 1 and 2.
#include "install/TutorialLaunch.h"

#include "install/ErrorReport.h"
#include "install/Medium.h"

namespace lcime {

const Tutorial kTutorialStandard = {"lcsetup\\Setup.exe"};
const Tutorial kTutorialPopular = {"plsetup\\Setup.exe"};
const std::array<const Tutorial*, 2> kTutorials = {&kTutorialStandard, &kTutorialPopular};

void LaunchTutorial(const Tutorial& tutorial, const ItemControls& item, Platform& platform, InstallerUi& ui) {
    ui.SlideOut(item.normalPicture, item.highlightPicture, item.slideStep);
    const std::string program = MediumRoot(platform) + MediumPath(tutorial.setupProgram);
    // A release's Setup.exe starts a setup only when it is the one the release lists.
    const std::optional<std::string> sum = ExpectedSum(platform.ReleaseSums(), DataPath(tutorial.setupProgram));
    if (OsError error = sum ? platform.StartProgram(program, kShowMinimized, *sum) : os_error::kFileCorrupt) {
        // The program keeps running; the item comes back so that it can be tried again.
        ShowErrorReport(platform, FailedOperation::Start, error, program);
        ui.ReturnToPlace(item.normalPicture, item.highlightPicture);
        return;
    }
    ui.ShowControl(item.resultLabel);
}

}  // namespace lcime
