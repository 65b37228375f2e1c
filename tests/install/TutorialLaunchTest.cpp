// The tutorial items: slide, start the setup program minimized, show the result line.
#include "install/TutorialLaunch.h"

#include <gtest/gtest.h>

#include "install/RecordingUi.h"

namespace lcime {
namespace {

std::string Id(ControlId id) { return std::to_string(int(id)); }

TEST(TutorialLaunch, SlidesThenStartsMinimizedThenShowsTheResultLine) {
    SubstitutePlatform platform;
    platform.AddFile("\\IMEData\\lcsetup\\Setup.exe");
    platform.AddFile("\\IMEData\\plsetup\\Setup.exe");
    platform.calls.clear();
    RecordingUi ui(platform);
    LaunchTutorial(TutorialFor(ControlId::Image1b), platform, ui);
    LaunchTutorial(TutorialFor(ControlId::Image2b), platform, ui);
    EXPECT_EQ(platform.calls, (Calls{
        "SlideOut " + Id(ControlId::Image1a) + "," + Id(ControlId::Image1b) + " step=1250",
        "StartProgram \\IMEData\\lcsetup\\Setup.exe show=2",
        "ShowControl " + Id(ControlId::Label1),
        "SlideOut " + Id(ControlId::Image2a) + "," + Id(ControlId::Image2b) + " step=1000",
        "StartProgram \\IMEData\\plsetup\\Setup.exe show=2",
        "ShowControl " + Id(ControlId::Label2)}));
    EXPECT_TRUE(ui.captions.empty());
}

TEST(TutorialLaunch, FailedStartReportsKeepsRunningAndPutsTheItemBack) {
    SubstitutePlatform platform;
    platform.startErrors["\\IMEData\\plsetup\\Setup.exe"] = os_error::kPathNotFound;
    RecordingUi ui(platform);
    LaunchTutorial(TutorialFor(ControlId::Image2b), platform, ui);
    const Calls messages = platform.CallsOf("ShowMessage");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("错误 3："), std::string::npos);
    EXPECT_NE(messages[0].find("\\IMEData\\plsetup\\Setup.exe"), std::string::npos);
    EXPECT_NE(messages[0].find("安装盘"), std::string::npos);
    EXPECT_EQ(platform.calls.back(), "ReturnToPlace " + Id(ControlId::Image2a) + "," + Id(ControlId::Image2b));
    EXPECT_TRUE(platform.CallsOf("ShowControl").empty());
    EXPECT_TRUE(platform.CallsOf("EndProgram").empty());
}

}  // namespace
}  // namespace lcime
