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
        ui.captions.clear();
        InstallImeEdition(*item.edition, item, state, platform, ui);
    }

    SubstitutePlatform platform;
    RecordingUi ui{platform};
    Module1 state;
};

// On 32-bit Windows and the 9x family the build goes into the system directory. On 64-bit Windows
// the 32-bit build goes into the 32-bit directory and, where the medium has a 64-bit build and the
// 64-bit directory can be reached, that build and the code table into the 64-bit one. One
// registration under the system directory's path; only a zero handle is a refusal, which shows the
// failure text: a layout handle read as a signed number is mostly negative, as the substitute's is.
TEST_F(InstallTest, EveryEditionCopiesItsBuildsSlidesRegistersOnceAndShowsItsResultLine) {
    // The family, the 64-bit Windows directories, whether the medium holds the 64-bit builds,
    // where the 32-bit and the 64-bit build go (nowhere for an empty one), and a refused registration.
    struct Machine { bool win9x; std::optional<Wow64Directories> wow64; bool with64Bit; std::string to32, to64;
                     bool refused = false; };
    const Machine machines[] = {{false, std::nullopt, true, kSys, "", true},  // 32-bit Windows, refusing
                                {true, kWow64, true, kSys, ""},               // the 9x family
                                {false, kWow64, true, kWow64.for32Bit, kSys},
                                {false, kWow64, false, kWow64.for32Bit, ""},
                                {false, Wow64Directories{kSys, ""}, true, kSys, ""}};  // no way into the 64-bit one
    for (const Machine& m : machines) {
        state.gWin9x = m.win9x;
        for (const MenuItem& item : kMenuItems) {
            if (!item.edition || (m.win9x && item.edition->largeCharacterSet)) continue;
            LayOutMedium(m.with64Bit);
            platform.wow64 = m.wow64;
            if (m.refused) platform.imeResult = 0;
            const ImeEdition& e = *item.edition;
            const ImeBuild& b = m.win9x ? e.win9x : e.nt;
            SCOPED_TRACE(std::string(b.imeFile) + " on machine " + std::to_string(&m - machines));
            Install(item);
            Calls expected = {"FolderExists D:\\IMEData", "ReleaseSums"};
            if (e.largeCharacterSet) expected.insert(expected.begin(), "ShowNotice");  // before any file is touched
            if (!m.win9x) expected.push_back("SystemDirectoriesOf64BitWindows");
            if (!m.win9x && m.wow64 && !m.wow64->for64Bit.empty())
                expected.push_back("FindFile " + Medium(b.imeFile, Build::k64Bit));
            for (const auto& [from, to] : {std::pair{Build::k32Bit, m.to32}, {Build::k64Bit, m.to64}}) {
                for (std::string_view file : {b.imeFile, b.codeTableFile}) {
                    if (to.empty()) continue;
                    expected.push_back("FindFile " + to + std::string(file));
                    expected.push_back("Copy " + Medium(file, file == b.imeFile ? from : Build::k32Bit) + " -> " + to +
                                       std::string(file));
                }
            }
            expected.push_back("SlideOut " + Id(item.normalPicture) + "," + Id(item.highlightPicture) +
                               " step=" + std::to_string(item.slideStep));
            expected.push_back("InstallIme " + System(b.imeFile) + " | " + std::string(e.layoutText));
            expected.push_back("ShowControl " + Id(item.resultLabel));
            EXPECT_EQ(platform.calls, expected);
            EXPECT_EQ(ui.captions[item.resultLabel], m.refused ? e.failureText : "");
        }
    }
}

// Setup.exe from a folder without IMEData beside it and a disc's drive current: the medium is the
// root of that drive, named in full in the report.
TEST_F(InstallTest, FailedCopyIsReportedNothingIsRegisteredAndTheItemCanBeTriedAgain) {
    platform.executableFolder = "N:\\下载";
    platform.currentDrive = "D:";
    const MenuItem& popular = *ItemOf(ControlId::Image6b);
    const ImeEdition& e = *popular.edition;
    platform.copyErrors[Medium(e.nt.codeTableFile)] = os_error::kFileNotFound;
    Install(popular);
    // Nothing after the report: no slide, registration, result line or end of the program.
    EXPECT_EQ(platform.calls.back(), "ShowMessage " + FormatErrorReport({FailedOperation::Copy, os_error::kFileNotFound,
                                                                         platform.DescribeError(os_error::kFileNotFound),
                                                                         Medium(e.nt.codeTableFile), System(e.nt.codeTableFile)}));
    EXPECT_EQ(platform.calls.size(), 8u);  // the IME file was copied before the failure

    platform.copyErrors.clear();
    Install(popular);
    EXPECT_EQ(platform.CallsOf("InstallIme").size(), 1u);

    // A destination that cannot even be searched stops before any copy.
    const MenuItem& hongKong = *ItemOf(ControlId::Image7b);
    platform.wow64.reset();
    platform.findErrors[System(hongKong.edition->nt.imeFile)] = 21;
    Install(hongKong);
    EXPECT_EQ(platform.calls.size(), 5u);
    EXPECT_NE(platform.calls.back().find("错误 21"), std::string::npos);
}

// A release's Setup.exe hands each copy the sum its list gives, so that the platform checks the
// complete copy before it takes its name; a file the list lacks, here the 64-bit build after the
// 32-bit copies, is refused as damaged. (A tutorial setup is checked before it starts: Wine suite.)
TEST_F(InstallTest, AReleaseCopiesOnlyListedFilesEachWithItsSum) {
    const MenuItem& popular = *ItemOf(ControlId::Image6b);
    const ImeBuild& b = popular.edition->nt;
    const std::string ime(64, 'a'), table(64, 'b');
    platform.wow64 = kWow64;
    platform.releaseSums = ime + "  " + std::string(b.imeFile) + "\n" + table + "  " + std::string(b.codeTableFile) + "\n";
    platform.AddFile(Medium(b.imeFile), ime);  // a file's content stands for its sum
    platform.AddFile(Medium(b.codeTableFile), table);
    Install(popular);
    EXPECT_EQ(platform.CallsOf("Copy").size(), 2u);
    EXPECT_EQ(platform.CallsOf("Copy").back(), "Copy " + Medium(b.codeTableFile) + " -> " + kWow64.for32Bit +
                                                   std::string(b.codeTableFile) + " sum=" + table);
    EXPECT_EQ(platform.calls.back(), "ShowMessage " + FormatErrorReport({FailedOperation::Copy, os_error::kFileCorrupt,
                                                                         platform.DescribeError(os_error::kFileCorrupt),
                                                                         Medium(b.imeFile, Build::k64Bit), System(b.imeFile)}));
}

TEST(ErrorReport, SaysWhatFailedWhereAndWhatToDo) {
    const std::string inUse = FormatErrorReport(
        {FailedOperation::Copy, os_error::kSharingViolation, "in use\r\n", "\\M\\a.IME", "C:\\W\\a.IME"});
    EXPECT_NE(inUse.find("错误 32：in use\n"), std::string::npos);
    EXPECT_NE(inUse.find("源文件：\\M\\a.IME\n目标文件：C:\\W\\a.IME"), std::string::npos);
    EXPECT_NE(inUse.find("文件 C:\\W\\a.IME 正在被使用"), std::string::npos);
    EXPECT_NE(inUse.find("重新启动 Windows"), std::string::npos);
    // A damaged or altered file on the medium is named with that.
    const std::string altered = FormatErrorReport({FailedOperation::Start, os_error::kFileCorrupt, "", "\\M\\b.exe", ""});
    EXPECT_NE(altered.find("文件 \\M\\b.exe 已损坏或被改动"), std::string::npos);
}

}  // namespace
}  // namespace lcime
