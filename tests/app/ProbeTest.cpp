// Start-up probe against the substitute platform: the family, the system directory, and the
// failures that end the program before the window is shown.
#include "app/Probe.h"

#include <gtest/gtest.h>

#include "platform/Substitute.h"

namespace lcime {
namespace {

using Calls = std::vector<std::string>;

TEST(Probe, AsksWithTheAnsiRecordAndTheSmallBufferAndChoosesTheFamily) {
    for (const auto& [id, win9x] : {std::pair{0, true}, {1, true}, {2, false}, {3, false}}) {
        SubstitutePlatform platform;
        platform.platformId = id;
        Module1 state;
        ASSERT_TRUE(RunProbe(platform, state)) << id;
        EXPECT_EQ(state.gWin9x, win9x) << id;
        EXPECT_EQ(platform.calls, (Calls{"GetVersionExA size=148", "GetSystemDirectoryA size=200",
                                         "AnsiToUtf8 bytes=19"}));
        EXPECT_EQ(state.gSysDir, platform.systemDirectoryAnsi + "\\");
    }
}

TEST(Probe, ALongerDirectoryIsAskedAgainAndFailedQueriesEndTheProgramWithTheirMessage) {
    SubstitutePlatform longer;
    longer.systemDirectoryAnsi = "C:\\" + std::string(230, 'x');
    Module1 state;
    ASSERT_TRUE(RunProbe(longer, state));
    EXPECT_EQ(longer.CallsOf("GetSystemDirectoryA"),
              (Calls{"GetSystemDirectoryA size=200", "GetSystemDirectoryA size=234"}));
    EXPECT_EQ(state.gSysDir, longer.systemDirectoryAnsi + "\\");

    SubstitutePlatform refused;
    refused.versionRefused = true;
    state = {};
    EXPECT_FALSE(RunProbe(refused, state));
    EXPECT_EQ(refused.calls, (Calls{"GetVersionExA size=148", "ShowMessage Error Getting Version Information",
                                    "EndProgram 1"}));
    // A directory of 0 bytes, or one that never fits, must not leave the root as the target.
    for (const std::vector<uint32_t>& results : {std::vector<uint32_t>{0}, {300, 400, 500, 600}}) {
        SubstitutePlatform platform;
        platform.systemDirectoryResults = results;
        EXPECT_FALSE(RunProbe(platform, state));
        EXPECT_EQ(platform.CallsOf("ShowMessage"), Calls{"ShowMessage Error Getting System Directory"});
        EXPECT_EQ(platform.calls.back(), "EndProgram 1");
        EXPECT_TRUE(state.gSysDir.empty());
    }
}

}  // namespace
}  // namespace lcime
