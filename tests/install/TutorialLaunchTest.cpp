// The tutorial items: slide, start the setup program minimized, show the result line; a failed
// start is reported and the item comes back.
#include "install/TutorialLaunch.h"

#include <gtest/gtest.h>

#include "install/ErrorReport.h"
#include "install/RecordingUi.h"

namespace lcime {
namespace {


TEST(TutorialLaunch, SlidesThenStartsMinimizedThenShowsTheResultLine) {
    for (const Tutorial& t : kTutorials) {
        SubstitutePlatform platform;
        platform.AddFile(std::string(t.setupProgram));
        platform.calls.clear();
        RecordingUi ui(platform);
        LaunchTutorial(t, platform, ui);
        EXPECT_EQ(platform.calls, (Calls{
            "SlideOut " + Id(t.normalPicture) + "," + Id(t.highlightPicture) + " step=" + std::to_string(t.slideStep),
            "StartProgram " + std::string(t.setupProgram) + " show=2",
            "ShowControl " + Id(t.resultLabel)}));
    }
}

TEST(TutorialLaunch, FailedStartIsReportedAndPutsTheItemBack) {
    const Tutorial& t = kTutorials[1];
    SubstitutePlatform platform;
    platform.startErrors[std::string(t.setupProgram)] = os_error::kPathNotFound;
    RecordingUi ui(platform);
    LaunchTutorial(t, platform, ui);
    EXPECT_EQ(platform.CallsOf("ShowMessage"),
              Calls{"ShowMessage " + FormatErrorReport({FailedOperation::Start, os_error::kPathNotFound,
                                                        platform.DescribeError(os_error::kPathNotFound),
                                                        std::string(t.setupProgram), ""})});
    EXPECT_EQ(platform.calls.back(), "ReturnToPlace " + Id(t.normalPicture) + "," + Id(t.highlightPicture));
    EXPECT_TRUE(platform.CallsOf("ShowControl").empty());
    EXPECT_TRUE(platform.CallsOf("EndProgram").empty());
}

}  // namespace
}  // namespace lcime
