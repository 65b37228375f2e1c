// Start-up probe against the substitute platform.
#include "app/Probe.h"

#include <gtest/gtest.h>

#include "platform/Substitute.h"

namespace lcime {
namespace {

using Calls = std::vector<std::string>;

TEST(Probe, PlatformIdentifierChoosesTheFamily) {
    for (const auto& [id, win9x] : {std::pair{0, true}, {1, true}, {2, false}, {3, false}, {99, false}}) {
        SubstitutePlatform platform;
        platform.platformId = id;
        Module1 state;
        ASSERT_TRUE(RunProbe(platform, state)) << id;
        EXPECT_EQ(state.gWin9x, win9x) << id;
    }
}

TEST(Probe, AsksWithTheAnsiRecordAndTheSmallBuffer) {
    SubstitutePlatform platform;
    Module1 state;
    ASSERT_TRUE(RunProbe(platform, state));
    EXPECT_EQ(platform.calls, (Calls{"GetVersionExA size=148", "GetSystemDirectoryA size=200",
                                     "AnsiToUtf8 bytes=19"}));
    EXPECT_EQ(state.gSysDir, "C:\\WINDOWS\\system32\\");
    EXPECT_EQ(state.gSysDir.size(), 20u);
}

TEST(Probe, RefusedVersionQueryEndsBeforeTheDirectoryIsAsked) {
    SubstitutePlatform platform;
    platform.versionRefused = true;
    Module1 state;
    EXPECT_FALSE(RunProbe(platform, state));
    EXPECT_EQ(platform.calls, (Calls{"GetVersionExA size=148",
                                     "ShowMessage Error Getting Version Information", "EndProgram"}));
    EXPECT_TRUE(state.gSysDir.empty());
}

TEST(Probe, DoubleByteDirectoryKeepsExactlyThePath) {
    SubstitutePlatform platform;
    platform.systemDirectoryAnsi = "D:\\\xCF\xB5\xCD\xB3\\system32";  // "系统" in code page 936
    Module1 state;
    ASSERT_TRUE(RunProbe(platform, state));
    EXPECT_EQ(platform.CallsOf("AnsiToUtf8"), Calls{"AnsiToUtf8 bytes=16"});
    EXPECT_EQ(state.gSysDir, "D:\\系统\\system32\\");
    EXPECT_EQ(state.gSysDir.find('\0'), std::string::npos);
}

TEST(Probe, FailedDirectoryQueryEndsTheProgramInsteadOfUsingTheRoot) {
    SubstitutePlatform platform;
    platform.systemDirectoryResults = {0};
    Module1 state;
    EXPECT_FALSE(RunProbe(platform, state));
    EXPECT_EQ(platform.calls, (Calls{"GetVersionExA size=148", "GetSystemDirectoryA size=200",
                                     "ShowMessage Error Getting System Directory", "EndProgram"}));
    EXPECT_NE(state.gSysDir, "\\");
}

TEST(Probe, OversizedDirectoryIsAskedAgainWithTheReportedSize) {
    SubstitutePlatform platform;
    platform.systemDirectoryAnsi = "C:\\" + std::string(230, 'x');
    Module1 state;
    ASSERT_TRUE(RunProbe(platform, state));
    EXPECT_EQ(platform.CallsOf("GetSystemDirectoryA"),
              (Calls{"GetSystemDirectoryA size=200", "GetSystemDirectoryA size=234"}));
    EXPECT_EQ(state.gSysDir, platform.systemDirectoryAnsi + "\\");
}

TEST(Probe, DirectoryThatNeverFitsIsAFailureNotATruncation) {
    SubstitutePlatform platform;
    platform.systemDirectoryResults = {300, 400, 500, 600};
    Module1 state;
    EXPECT_FALSE(RunProbe(platform, state));
    EXPECT_EQ(platform.CallsOf("ShowMessage"), Calls{"ShowMessage Error Getting System Directory"});
    EXPECT_EQ(platform.CallsOf("EndProgram").size(), 1u);
    EXPECT_TRUE(state.gSysDir.empty());
}

}  // namespace
}  // namespace lcime
