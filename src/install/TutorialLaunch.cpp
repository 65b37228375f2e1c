// Starts the tutorial setup programs of items 1 and 2.
#include "install/TutorialLaunch.h"

#include "install/ErrorReport.h"

namespace lcime {

const std::array<Tutorial, 2> kTutorials = {{
    {ControlId::Image1a, ControlId::Image1b, 1250, "\\IMEData\\lcsetup\\Setup.exe", ControlId::Label1},
    {ControlId::Image2a, ControlId::Image2b, 1000, "\\IMEData\\plsetup\\Setup.exe", ControlId::Label2},
}};

void LaunchTutorial(const Tutorial& tutorial, Platform& platform, InstallerUi& ui) {
    ui.SlideOut(tutorial.normalPicture, tutorial.highlightPicture, tutorial.slideStep);
    const std::string program = MediumRoot(platform) + std::string(tutorial.setupProgram);
    if (OsError error = platform.StartProgram(program, kShowMinimized)) {
        // The program keeps running; the item comes back so that it can be tried again.
        ShowErrorReport(platform, FailedOperation::Start, error, program);
        ui.ReturnToPlace(tutorial.normalPicture, tutorial.highlightPicture);
        return;
    }
    ui.ShowControl(tutorial.resultLabel);
}

}  // namespace lcime
