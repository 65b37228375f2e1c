// The IME install procedure against the substitute platform and a recording window: what is
// copied from where, what is registered, the result line, and every failure path.
#include "install/InstallImeEdition.h"

#include <gtest/gtest.h>

#include <map>

#include "install/ErrorReport.h"
#include "menu/Form2.h"
#include "platform/Substitute.h"

namespace lcime {
namespace {

using Calls = std::vector<std::string>;

std::string Id(ControlId id) { return std::to_string(int(id)); }

// A window stand-in: it records each request into the substitute platform's call list, so
// platform and window steps are checked in one order.
class RecordingUi : public InstallerUi {
public:
    explicit RecordingUi(SubstitutePlatform& platform) : calls_(platform.calls) {}
    void ShowNotice() override { calls_.push_back("ShowNotice"); }
    void SlideOut(ControlId normal, ControlId highlight, int16_t step) override {
        calls_.push_back("SlideOut " + Id(normal) + "," + Id(highlight) + " step=" + std::to_string(step));
    }
    void SetCaption(ControlId label, const std::string& caption) override { captions[label] = caption; }
    void ReturnToPlace(ControlId normal, ControlId highlight) override {
        calls_.push_back("ReturnToPlace " + Id(normal) + "," + Id(highlight));
    }
    void ShowControl(ControlId control) override { calls_.push_back("ShowControl " + Id(control)); }
    std::map<ControlId, std::string> captions;

private:
    Calls& calls_;
};

const std::string kSys = "C:\\WINDOWS\\system32\\";

std::string Medium(std::string_view name) { return "D:" + std::string(kMediumFolder) + std::string(name); }
std::string System(std::string_view name) { return kSys + std::string(name); }

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.gSysDir = kSys;
        for (const ImeEdition* entry : kImeEditions) {
            for (const ImeBuild& build : {entry->win9x, entry->nt}) {
                if (build.imeFile.empty()) continue;
                platform.AddFile(Medium(build.imeFile));
                platform.AddFile(Medium(build.codeTableFile));
            }
        }
    }
    void Install(const MenuItem& item) {
        platform.calls.clear();
        InstallImeEdition(*item.edition, item, state, platform, ui);
    }

    SubstitutePlatform platform;
    RecordingUi ui{platform};
    Module1 state;
};

TEST_F(InstallTest, EveryEditionCopiesItsBuildSlidesRegistersAndShowsItsResultLine) {
    for (bool win9x : {false, true}) {
        state.gWin9x = win9x;
        for (const MenuItem& item : kMenuItems) {
            if (!item.edition || (win9x && item.edition->largeCharacterSet)) continue;
            const ImeEdition& e = *item.edition;
            SCOPED_TRACE(std::string(e.layoutText) + (win9x ? " 9x" : " NT"));
            const ImeBuild& b = win9x ? e.win9x : e.nt;
            Install(item);
            Calls expected;
            if (e.largeCharacterSet) expected.push_back("ShowNotice");  // before any file is touched
            expected.push_back("FolderExists D:\\IMEData");
            for (std::string_view file : {b.imeFile, b.codeTableFile}) {
                expected.push_back("FindFile " + System(file));
                expected.push_back("Copy " + Medium(file) + " -> " + System(file));
            }
            expected.push_back("SlideOut " + Id(item.normalPicture) + "," + Id(item.highlightPicture) +
                               " step=" + std::to_string(item.slideStep));
            expected.push_back("InstallIme " + System(b.imeFile) + " | " + std::string(e.layoutText));
            expected.push_back("ShowControl " + Id(item.resultLabel));
            EXPECT_EQ(platform.calls, expected);
            EXPECT_TRUE(ui.captions.empty());
        }
    }
}

// Only a zero handle is a refusal: a layout handle read as a signed number is mostly negative (as
// the substitute's typical one, which every other install here takes as success).
TEST_F(InstallTest, RefusedRegistrationShowsTheFailureText) {
    platform.imeResult = 0;
    for (const MenuItem& item : kMenuItems) {
        if (!item.edition) continue;
        Install(item);
        EXPECT_EQ(ui.captions[item.resultLabel], item.edition->failureText);
        EXPECT_EQ(platform.calls.back(), "ShowControl " + Id(item.resultLabel));
    }
    EXPECT_TRUE(platform.CallsOf("ShowMessage").empty());
}

TEST_F(InstallTest, FailedCopyIsReportedNothingIsRegisteredAndTheItemCanBeTriedAgain) {
    const MenuItem& popular = *ItemOf(ControlId::Image6b);
    const ImeEdition& e = *popular.edition;
    platform.copyErrors[Medium(e.nt.codeTableFile)] = os_error::kFileNotFound;
    Install(popular);
    // Nothing after the report: no slide, registration, result line or end of the program.
    EXPECT_EQ(platform.calls.back(), "ShowMessage " + FormatErrorReport({FailedOperation::Copy, os_error::kFileNotFound,
                                                                         platform.DescribeError(os_error::kFileNotFound),
                                                                         Medium(e.nt.codeTableFile), System(e.nt.codeTableFile)}));
    EXPECT_EQ(platform.calls.size(), 6u);  // the IME file was copied before the failure

    platform.copyErrors.clear();
    Install(popular);
    EXPECT_EQ(platform.CallsOf("InstallIme").size(), 1u);

    // A destination that cannot even be searched stops before any copy.
    const MenuItem& hongKong = *ItemOf(ControlId::Image7b);
    platform.findErrors[System(hongKong.edition->nt.imeFile)] = 21;
    Install(hongKong);
    EXPECT_EQ(platform.calls.size(), 3u);
    EXPECT_NE(platform.calls.back().find("错误 21"), std::string::npos);
}

// A disc started from its own drive: without IMEData beside Setup.exe, the medium is the root of
// the current drive, named in full in a report.
TEST_F(InstallTest, WithoutIMEDataBesideSetupExeTheMediumIsTheCurrentDrivesRoot) {
    platform.executableFolder = "N:\\下载";
    platform.currentDrive = "C:";
    const MenuItem& hongKong = *ItemOf(ControlId::Image7b);
    const ImeEdition& g = *hongKong.edition;
    Install(hongKong);
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
