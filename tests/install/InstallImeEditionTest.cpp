// The IME install procedure against the substitute platform and a recording window: what is
// copied from where, what is registered, the result line, and every failure path.
#include "install/InstallImeEdition.h"

#include <gtest/gtest.h>

#include <map>

#include "install/ErrorReport.h"
#include "install/Medium.h"
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
// The two system directories as a 64-bit Setup.exe names them; the 32-bit one is not gSysDir.
const Wow64Directories kWow64 = {"C:\\WINDOWS\\SysWOW64\\", kSys};

std::string Medium(std::string_view name, Build build = Build::k32Bit) { return "D:" + MediumPath(name, build); }
std::string System(std::string_view name) { return kSys + std::string(name); }

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.gSysDir = kSys;
        LayOutMedium(true);
    }
    // A fresh machine and a medium beside Setup.exe on D:, with or without the 64-bit builds; the
    // current drive's root holds none.
    void LayOutMedium(bool with64Bit) {
        platform = SubstitutePlatform();
        platform.currentDrive = "E:";
        platform.AddDirectory("D:\\" + std::string(kMediumFolder));
        for (const ImeEdition* entry : kImeEditions) {
            for (const ImeBuild& build : {entry->win9x, entry->nt}) {
                if (build.imeFile.empty()) continue;
                platform.AddFile(Medium(build.imeFile));
                platform.AddFile(Medium(build.codeTableFile));
            }
            if (with64Bit) platform.AddFile(Medium(entry->nt.imeFile, Build::k64Bit));
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

// On 32-bit Windows and the 9x family the build goes into the system directory. On 64-bit Windows
// the 32-bit build goes into the 32-bit directory and, where the medium has a 64-bit build and the
// 64-bit directory can be reached, that build and the code table into the 64-bit one. One
// registration under the system directory's path.
TEST_F(InstallTest, EveryEditionCopiesItsBuildsSlidesRegistersOnceAndShowsItsResultLine) {
    struct Machine {
        bool win9x;
        std::optional<Wow64Directories> wow64;
        bool with64Bit;  // the medium holds the 64-bit builds
    };
    const Machine machines[] = {{false, std::nullopt, true},
                                {true, kWow64, true},
                                {false, kWow64, true},
                                {false, kWow64, false},
                                {false, Wow64Directories{kSys, ""}, true}};  // no way into the 64-bit one
    for (const Machine& machine : machines) {
        state.gWin9x = machine.win9x;
        for (const MenuItem& item : kMenuItems) {
            if (!item.edition || (machine.win9x && item.edition->largeCharacterSet)) continue;
            LayOutMedium(machine.with64Bit);
            platform.wow64 = machine.wow64;
            const ImeEdition& e = *item.edition;
            SCOPED_TRACE(std::string(e.layoutText) + (machine.win9x ? " 9x " : " NT ") +
                         (machine.wow64 ? "64 " + machine.wow64->for64Bit : "32") + (machine.with64Bit ? " x64" : ""));
            const ImeBuild& b = machine.win9x ? e.win9x : e.nt;
            Install(item);
            Calls expected;
            if (e.largeCharacterSet) expected.push_back("ShowNotice");  // before any file is touched
            expected.push_back("FolderExists D:\\IMEData");
            if (!machine.win9x) expected.push_back("SystemDirectoriesOf64BitWindows");
            const bool reaches64Bit = !machine.win9x && machine.wow64 && !machine.wow64->for64Bit.empty();
            if (reaches64Bit) expected.push_back("FindFile " + Medium(b.imeFile, Build::k64Bit));
            auto copy = [&](std::string_view file, Build from, const std::string& directory) {
                expected.push_back("FindFile " + directory + std::string(file));
                expected.push_back("Copy " + Medium(file, from) + " -> " + directory + std::string(file));
            };
            const std::string& directory32 = !machine.win9x && machine.wow64 ? machine.wow64->for32Bit : kSys;
            copy(b.imeFile, Build::k32Bit, directory32);
            copy(b.codeTableFile, Build::k32Bit, directory32);
            if (reaches64Bit && machine.with64Bit) {
                copy(b.imeFile, Build::k64Bit, machine.wow64->for64Bit);
                copy(b.codeTableFile, Build::k32Bit, machine.wow64->for64Bit);
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
    EXPECT_EQ(platform.calls.size(), 7u);  // the IME file was copied before the failure

    // On 64-bit Windows a failed copy of the 64-bit build, after the 32-bit ones, stops the same way.
    LayOutMedium(true);
    platform.wow64 = kWow64;
    platform.copyErrors[Medium(e.nt.imeFile, Build::k64Bit)] = os_error::kAccessDenied;
    Install(popular);
    EXPECT_EQ(platform.calls.back(), "ShowMessage " + FormatErrorReport({FailedOperation::Copy, os_error::kAccessDenied,
                                                                         platform.DescribeError(os_error::kAccessDenied),
                                                                         Medium(e.nt.imeFile, Build::k64Bit),
                                                                         kWow64.for64Bit + std::string(e.nt.imeFile)}));
    EXPECT_EQ(platform.CallsOf("Copy").size(), 3u);
    EXPECT_TRUE(platform.CallsOf("SlideOut").empty());

    platform.copyErrors.clear();
    Install(popular);
    EXPECT_EQ(platform.CallsOf("InstallIme").size(), 1u);

    // A destination that cannot even be searched stops before any copy.
    const MenuItem& hongKong = *ItemOf(ControlId::Image7b);
    platform.wow64.reset();
    platform.findErrors[System(hongKong.edition->nt.imeFile)] = 21;
    Install(hongKong);
    EXPECT_EQ(platform.calls.size(), 4u);
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
