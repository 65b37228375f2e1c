// The tutorial items: slide, start the setup program minimized, show the result line.
#include "install/TutorialLaunch.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace lcime
