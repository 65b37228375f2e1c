// The IME install procedure against the substitute platform and a recording window: what is
// copied from where, what is registered, the result line, and every failure path.
#include "install/InstallImeEdition.h"

#include <gtest/gtest.h>

#include "install/ErrorReport.h"
#include "install/RecordingUi.h"
#include "install/TutorialLaunch.h"

namespace lcime {
namespace {

const std::string kSys = "C:\\WINDOWS\\system32\\";

const ImeEdition& EditionOf(ControlId highlight) {
    return *std::find_if(kImeEditions.begin(), kImeEditions.end(),
                         [&](const ImeEdition& e) { return e.highlightPicture == highlight; });
}

std::string Medium(std::string_view name) { return "D:" + std::string(kMediumFolder) + std::string(name); }
std::string System(std::string_view name) { return kSys + std::string(name); }

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.gSysDir = kSys;
        for (const ImeEdition& entry : kImeEditions) {
            for (const ImeBuild& build : {entry.win9x, entry.nt}) {
                if (build.imeFile.empty()) continue;
                platform.AddFile(Medium(build.imeFile), "ime " + std::string(build.imeFile));
                platform.AddFile(Medium(build.codeTableFile), "mb " + std::string(build.codeTableFile));
            }
        }
    }
    void Install(const ImeEdition& entry) {
        platform.calls.clear();
        InstallImeEdition(entry, state, platform, ui);
    }

    SubstitutePlatform platform;
    RecordingUi ui{platform};
    Module1 state;
};

TEST_F(InstallTest, EveryEditionCopiesItsBuildSlidesRegistersAndShowsItsResultLine) {
    for (bool win9x : {false, true}) {
        state.gWin9x = win9x;
        for (const ImeEdition& e : kImeEditions) {
            if (win9x && e.largeCharacterSet) continue;
            SCOPED_TRACE(std::string(e.layoutText) + (win9x ? " 9x" : " NT"));
            const ImeBuild& b = win9x ? e.win9x : e.nt;
            Install(e);
            Calls expected;
            if (e.largeCharacterSet) expected.push_back("ShowNotice");  // before any file is touched
            expected.push_back("FolderExists D:\\IMEData");
            for (std::string_view file : {b.imeFile, b.codeTableFile}) {
                expected.push_back("FindFile " + System(file));
                expected.push_back("Copy " + Medium(file) + " -> " + System(file));
            }
            expected.push_back("SlideOut " + Id(e.normalPicture) + "," + Id(e.highlightPicture) +
                               " step=" + std::to_string(e.slideStep));
            expected.push_back("InstallIme " + System(b.imeFile) + " | " + std::string(e.layoutText));
            expected.push_back("ShowControl " + Id(e.resultLabel));
            EXPECT_EQ(platform.calls, expected);
            EXPECT_EQ(platform.FileAt(System(b.codeTableFile))->content, "mb " + std::string(b.codeTableFile));
            EXPECT_TRUE(ui.captions.empty());
        }
    }
}

TEST_F(InstallTest, OnlyANormalFileOfExactlyTheNameCountsAsPresent) {
    const ImeEdition& e = EditionOf(ControlId::Image3b);
    std::string upper(e.nt.codeTableFile);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    platform.AddFile(System(e.nt.imeFile), "installed earlier");
    platform.AddFile(kSys + upper, "other case");
    Install(e);
    EXPECT_EQ(platform.CallsOf("Copy"), Calls{"Copy " + Medium(e.nt.codeTableFile) + " -> " + System(e.nt.codeTableFile)});
    EXPECT_EQ(platform.FileAt(System(e.nt.imeFile))->content, "installed earlier");

    // Hidden and system files are copied over and come out as normal files.
    const ImeEdition& g = EditionOf(ControlId::Image7b);
    platform.AddFile(System(g.nt.imeFile), "hidden", /*hidden=*/true);
    platform.AddFile(System(g.nt.codeTableFile), "system", false, /*system=*/true);
    Install(g);
    EXPECT_EQ(platform.CallsOf("Copy").size(), 2u);
    EXPECT_FALSE(platform.FileAt(System(g.nt.imeFile))->hidden);
    EXPECT_FALSE(platform.FileAt(System(g.nt.codeTableFile))->system);
}

TEST_F(InstallTest, LargeCharacterSetIsRefusedOnNineXWithoutNoticeOrFiles) {
    state.gWin9x = true;
    for (ControlId item : {ControlId::Image4b, ControlId::Imagefb, ControlId::Image4b}) {
        Install(EditionOf(item));
        EXPECT_EQ(platform.calls, Calls{"ShowMessage " + std::string(kRefusedOn9x)});
    }
}

TEST_F(InstallTest, RefusedRegistrationShowsTheFailureTextAndNegativeCountsAsSuccess) {
    platform.imeResult = 0;
    for (const ImeEdition& e : kImeEditions) {
        Install(e);
        EXPECT_EQ(ui.captions[e.resultLabel], e.failureText);
        EXPECT_EQ(platform.calls.back(), "ShowControl " + Id(e.resultLabel));
        EXPECT_NE(platform.FileAt(System(e.nt.imeFile)), nullptr);  // the copies stay
    }
    EXPECT_TRUE(platform.CallsOf("ShowMessage").empty());
    ui.captions.clear();
    platform.imeResult = -1;
    Install(EditionOf(ControlId::Image6b));
    EXPECT_TRUE(ui.captions.empty());
}

TEST_F(InstallTest, FailedCopyIsReportedNothingIsRegisteredAndTheItemCanBeTriedAgain) {
    const ImeEdition& e = EditionOf(ControlId::Image6b);
    platform.copyErrors[Medium(e.nt.codeTableFile)] = os_error::kFileNotFound;
    Install(e);
    // Nothing after the report: no slide, registration, result line or end of the program.
    EXPECT_EQ(platform.calls.back(), "ShowMessage " + FormatErrorReport({FailedOperation::Copy, os_error::kFileNotFound,
                                                                         platform.DescribeError(os_error::kFileNotFound),
                                                                         Medium(e.nt.codeTableFile), System(e.nt.codeTableFile)}));
    EXPECT_EQ(platform.calls.size(), 6u);
    EXPECT_NE(platform.FileAt(System(e.nt.imeFile)), nullptr);  // copied before the failure

    platform.copyErrors.clear();
    Install(e);
    EXPECT_EQ(platform.CallsOf("InstallIme").size(), 1u);

    // A destination that cannot even be searched stops before any copy.
    const ImeEdition& g = EditionOf(ControlId::Image7b);
    platform.findErrors[System(g.nt.imeFile)] = 21;
    Install(g);
    EXPECT_EQ(platform.calls.size(), 3u);
    EXPECT_NE(platform.calls.back().find("错误 21"), std::string::npos);
}

TEST_F(InstallTest, TheMediumIsTheFolderOfSetupExeWhereverItIsStartedFrom) {
    // Setup.exe and its IMEData extracted into a download folder, started with C: current.
    platform.executableFolder = "N:\\下载\\岚辰输入法 Setup";
    platform.currentDrive = "C:";
    const std::string medium = platform.executableFolder + std::string(kMediumFolder);
    platform.AddDirectory(medium.substr(0, medium.size() - 1));
    const ImeEdition& e = EditionOf(ControlId::Image6b);
    platform.AddFile(medium + std::string(e.nt.imeFile));
    platform.AddFile(medium + std::string(e.nt.codeTableFile));
    const Tutorial& t = kTutorials[1];
    platform.AddFile(platform.executableFolder + std::string(t.setupProgram));
    Install(e);
    Calls copies;
    for (std::string_view file : {e.nt.imeFile, e.nt.codeTableFile})
        copies.push_back("Copy " + medium + std::string(file) + " -> " + System(file));
    EXPECT_EQ(platform.CallsOf("Copy"), copies);
    LaunchTutorial(t, platform, ui);
    EXPECT_EQ(platform.CallsOf("StartProgram").back(),
              "StartProgram " + platform.executableFolder + std::string(t.setupProgram) + " show=2");

    // Without IMEData beside it, the root of the current drive, named in full in the report.
    platform.executableFolder = "N:\\下载";
    const ImeEdition& g = EditionOf(ControlId::Image7b);
    Install(g);
    const std::string source = "C:\\IMEData\\" + std::string(g.nt.imeFile);
    EXPECT_EQ(platform.calls.back(),
              "ShowMessage " + FormatErrorReport({FailedOperation::Copy, os_error::kFileNotFound,
                                                  platform.DescribeError(os_error::kFileNotFound), source,
                                                  System(g.nt.imeFile)}));
}

TEST(ErrorReport, SaysWhatFailedWhereAndWhatToDo) {
    const std::string inUse = FormatErrorReport(
        {FailedOperation::Copy, os_error::kSharingViolation, "in use\r\n", "\\M\\a.IME", "C:\\W\\a.IME"});
    EXPECT_NE(inUse.find("错误 32：in use\n"), std::string::npos);
    EXPECT_NE(inUse.find("源文件：\\M\\a.IME\n目标文件：C:\\W\\a.IME"), std::string::npos);
    EXPECT_NE(inUse.find("文件 C:\\W\\a.IME 正在被使用"), std::string::npos);
    EXPECT_NE(inUse.find("重新启动 Windows"), std::string::npos);
}

}  // namespace
}  // namespace lcime
