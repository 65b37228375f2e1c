// The IME install procedure against the substitute platform and a recording window.
#include "install/InstallImeEdition.h"

#include <gtest/gtest.h>

#include "install/ErrorReport.h"
#include "install/RecordingUi.h"
#include "platform/Substitute.h"

namespace lcime {
namespace {

const std::string kSys = "C:\\WINDOWS\\system32\\";

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.gSysDir = kSys;
        for (const ImeEdition& entry : kImeEditions) {
            for (const ImeBuild& build : {entry.win9x, entry.nt}) {
                if (build.imeFile.empty()) continue;
                platform.AddFile("\\IMEData\\" + std::string(build.imeFile), "ime");
                platform.AddFile("\\IMEData\\" + std::string(build.codeTableFile), "mb");
            }
        }
    }
    void Install(ControlId highlight) {
        platform.calls.clear();
        InstallImeEdition(EditionFor(highlight), state, platform, ui);
    }
    static std::string Id(ControlId id) { return std::to_string(int(id)); }

    SubstitutePlatform platform;
    RecordingUi ui{platform};
    Module1 state;
};

TEST_F(InstallTest, PopularEditionOnNtRunsEveryStepInOrder) {
    Install(ControlId::Image6b);
    EXPECT_EQ(platform.calls, (Calls{
        "FindFile " + kSys + "pjlc2.IME",
        "Copy \\IMEData\\pjlc2.IME -> " + kSys + "pjlc2.IME",
        "FindFile " + kSys + "pjlc2.MB",
        "Copy \\IMEData\\pjlc2.MB -> " + kSys + "pjlc2.MB",
        "SlideOut " + Id(ControlId::Image6a) + "," + Id(ControlId::Image6b) + " step=1260",
        "InstallIme " + kSys + "pjlc2.IME | 中文 (简体) - 普及型岚辰",
        "ShowControl " + Id(ControlId::Label6)}));
    ASSERT_NE(platform.FileAt(kSys + "pjlc2.MB"), nullptr);
    EXPECT_EQ(platform.FileAt(kSys + "pjlc2.MB")->content, "mb");
}

TEST_F(InstallTest, ExistingFileIsKeptOnlyWhenItsNameMatchesExactly) {
    platform.AddFile(kSys + "lc662.IME", "installed earlier");
    platform.AddFile(kSys + "LC662.MB", "other case");
    Install(ControlId::Image3b);
    EXPECT_EQ(platform.CallsOf("Copy"), Calls{"Copy \\IMEData\\lc662.MB -> " + kSys + "lc662.MB"});
    EXPECT_EQ(platform.FileAt(kSys + "lc662.IME")->content, "installed earlier");
    EXPECT_EQ(platform.FileAt(kSys + "lc662.MB")->content, "mb");
    EXPECT_EQ(platform.CallsOf("InstallIme").size(), 1u);
}

TEST_F(InstallTest, HiddenOrSystemFilesAreNotSeenSoACopyIsAttempted) {
    platform.AddFile(kSys + "gaft2.IME", "hidden", /*hidden=*/true);
    platform.AddFile(kSys + "gaft2.MB", "system", false, /*system=*/true);
    Install(ControlId::Image7b);
    EXPECT_EQ(platform.CallsOf("Copy").size(), 2u);
}

TEST_F(InstallTest, NineXFamilyInstallsTheNineXBuildUnderTheSameLayoutText) {
    state.gWin9x = true;
    Install(ControlId::Image3b);
    EXPECT_EQ(platform.CallsOf("Copy"), (Calls{
        "Copy \\IMEData\\lc669.IME -> " + kSys + "lc669.IME",
        "Copy \\IMEData\\lc669.MB -> " + kSys + "lc669.MB"}));
    EXPECT_EQ(platform.CallsOf("InstallIme"), Calls{"InstallIme " + kSys + "lc669.IME | 中文 (简体) - 岚辰6.6版"});
}

TEST_F(InstallTest, LargeCharacterSetIsRefusedOnNineXWithoutTouchingFiles) {
    state.gWin9x = true;
    for (ControlId item : {ControlId::Image4b, ControlId::Imagefb, ControlId::Image4b}) {
        Install(item);
        EXPECT_EQ(platform.calls, Calls{"ShowMessage 在 Win9X 上不能安装大字符集岚辰输入法！"});
    }
}

TEST_F(InstallTest, LargeCharacterSetOnNtShowsTheNoticeBeforeAnyFileAccess) {
    Install(ControlId::Imagefb);
    ASSERT_GE(platform.calls.size(), 2u);
    EXPECT_EQ(platform.calls[0], "ShowNotice");
    EXPECT_EQ(platform.calls[1], "FindFile " + kSys + "LCGB18F.IME");
    EXPECT_EQ(platform.CallsOf("InstallIme"), Calls{"InstallIme " + kSys + "LCGB18F.IME | 中文 (繁体) - 大字符集岚辰"});
    EXPECT_EQ(platform.calls.back(), "ShowControl " + Id(ControlId::Label8));
}

TEST_F(InstallTest, RefusedRegistrationShowsTheFailureTextWithItsLeadingSpace) {
    platform.imeResult = 0;
    Install(ControlId::Image5b);
    EXPECT_EQ(ui.captions[ControlId::Label5], " 繁体岚辰安装失败！");
    EXPECT_EQ(platform.calls.back(), "ShowControl " + Id(ControlId::Label5));
    EXPECT_TRUE(platform.CallsOf("ShowMessage").empty());
    EXPECT_NE(platform.FileAt(kSys + "ftlc2.IME"), nullptr);  // the copies stay

    Install(ControlId::Image4b);
    EXPECT_EQ(ui.captions[ControlId::Label4], "简体大字符集岚辰安装失败！");
}

TEST_F(InstallTest, NegativeHandleIsSuccess) {
    platform.imeResult = -1;
    Install(ControlId::Image6b);
    EXPECT_TRUE(ui.captions.empty());
    EXPECT_EQ(platform.calls.back(), "ShowControl " + Id(ControlId::Label6));
}

TEST_F(InstallTest, MissingMediumFileIsReportedAndTheItemStaysInPlace) {
    platform.copyErrors["\\IMEData\\pjlc2.MB"] = os_error::kFileNotFound;
    Install(ControlId::Image6b);
    const Calls boxes = platform.CallsOf("ShowMessage");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("错误 2："), std::string::npos);
    EXPECT_NE(boxes[0].find("系统找不到指定的文件。"), std::string::npos);
    EXPECT_NE(boxes[0].find("\\IMEData\\pjlc2.MB"), std::string::npos);
    EXPECT_NE(boxes[0].find("管理员"), std::string::npos);
    EXPECT_TRUE(platform.CallsOf("SlideOut").empty());
    EXPECT_TRUE(platform.CallsOf("InstallIme").empty());
    EXPECT_TRUE(platform.CallsOf("ShowControl").empty());
    EXPECT_TRUE(platform.CallsOf("EndProgram").empty());
    EXPECT_NE(platform.FileAt(kSys + "pjlc2.IME"), nullptr);  // copied before the failure

    platform.copyErrors.clear();
    Install(ControlId::Image6b);  // the item can be clicked again
    EXPECT_EQ(platform.CallsOf("InstallIme").size(), 1u);
}

TEST_F(InstallTest, UnusableDestinationIsReportedBeforeAnyCopy) {
    platform.findErrors[kSys + "gaft2.IME"] = 21;  // device not ready
    Install(ControlId::Image7b);
    EXPECT_EQ(platform.calls.size(), 2u);
    EXPECT_TRUE(platform.CallsOf("Copy").empty());
    EXPECT_NE(platform.CallsOf("ShowMessage").at(0).find("错误 21"), std::string::npos);
}

TEST(ErrorReport, FileInUseSaysWhichFileAndWhatToDo) {
    const std::string text = FormatErrorReport({FailedOperation::Copy, os_error::kSharingViolation,
                                                "in use\r\n", "\\IMEData\\pjlc2.IME", "C:\\W\\pjlc2.IME"});
    EXPECT_NE(text.find("错误 32：in use\n"), std::string::npos);
    EXPECT_NE(text.find("文件 C:\\W\\pjlc2.IME 正在被使用"), std::string::npos);
    EXPECT_NE(text.find("重新启动 Windows"), std::string::npos);
}

TEST(Catalogue, FileNamesKeepTheirLetterCase) {
    EXPECT_EQ(EditionFor(ControlId::Image4b).nt.imeFile, "LCGB18J.IME");
    EXPECT_TRUE(EditionFor(ControlId::Image4b).win9x.imeFile.empty());
    EXPECT_EQ(EditionFor(ControlId::Image7b).win9x.codeTableFile, "gaft9.MB");
    EXPECT_THROW(EditionFor(ControlId::Image1b), std::invalid_argument);
}

}  // namespace
}  // namespace lcime
