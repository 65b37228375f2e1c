// Setup.exe meeting a bad medium, awkward destinations and clumsy use: each case ends in the
// designed report or behaviour, the menu stays usable, and nothing half-installed is registered.
#include <algorithm>
#include <fstream>

#include "Medium.h"
#include "app/Probe.h"
#include "bad_input/SetupMenu.h"
#include "install/ErrorReport.h"
#include "install/TutorialLaunch.h"
#include "platform/win32/Win32Platform.h"

namespace lcime::e2e {
namespace {

namespace fs = std::filesystem;

const wchar_t kSetupDefaults[] = L"Software\\Wine\\AppDefaults\\Setup.exe";
constexpr DWORD kInTheWay = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;

bool SameName(const fs::path& file, std::string_view name) {
    return _wcsicmp(file.c_str(), robot::Wide(name).c_str()) == 0;
}

fs::path OnMedium(std::string_view name) { return robot::Medium() / L"IMEData" / robot::Wide(name); }

// The lines the tutorial stand-in has logged beside itself.
size_t StandinStarts(const Tutorial& tutorial) {
    const fs::path program = robot::Medium() / robot::Wide(tutorial.setupProgram.substr(1));
    const std::string log = robot::ReadFileBytes(program.parent_path() / L"standin.log");
    return std::count(log.begin(), log.end(), '\n');
}

// Moves a medium file or folder aside; puts it back when destroyed.
class Aside {
public:
    explicit Aside(fs::path path) : path_(std::move(path)) { MoveFileW(path_.c_str(), Away().c_str()); }
    ~Aside() { MoveFileW(Away().c_str(), path_.c_str()); }

private:
    fs::path Away() const { return path_.wstring() + L".aside"; }
    fs::path path_;
};

class BadInput : public testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSetupDefaults);
        robot::RemoveImeLayouts();
        // Every letter case of the catalogue's names goes: Windows would see them as one file.
        for (const std::string& name : demo::MediumImeFiles()) {
            for (const fs::path& copy : StoredCopies(name)) ASSERT_TRUE(robot::RemoveFile(copy));
        }
        robot::LayOutMedium();
        win32::Win32Platform platform;
        ASSERT_TRUE(RunProbe(platform, state_));
    }

    fs::path Installed(std::string_view name) const { return robot::Wide(state_.gSysDir + std::string(name)); }

    // The stored names of the installed copies of `name`, in any letter case.
    std::vector<fs::path> StoredCopies(std::string_view name) const {
        std::vector<fs::path> copies;
        for (const auto& entry : fs::directory_iterator(robot::SystemDirectories().installed))
            if (SameName(entry.path().filename(), name))
                copies.push_back(entry.path());
        return copies;
    }

    std::vector<robot::KeyboardLayout> LayoutsOf(std::string_view imeFile) const {
        std::vector<robot::KeyboardLayout> found;
        for (const robot::KeyboardLayout& layout : robot::KeyboardLayouts())
            if (SameName(layout.imeFile, state_.gSysDir + std::string(imeFile)))
                found.push_back(layout);
        return found;
    }

    std::string CopyReport(OsError error, std::string_view name) const {
        win32::Win32Platform platform;
        return FormatErrorReport({FailedOperation::Copy, error, platform.DescribeError(error),
                                  std::string(kMediumFolder) + std::string(name), state_.gSysDir + std::string(name)});
    }

    // Both files copied as one plain file each and the IME registered once under its text.
    void ExpectInstalled(const ImeEdition& edition, const ImeBuild& build, bool copied = true) {
        // The layout's key is there before its values.
        std::vector<robot::KeyboardLayout> layouts;
        ASSERT_TRUE(robot::Poll([&] {
            layouts = LayoutsOf(build.imeFile);
            return !layouts.empty() && !layouts[0].layoutText.empty();
        })) << edition.edition;
        ASSERT_EQ(layouts.size(), 1u) << edition.edition;
        EXPECT_EQ(robot::Utf8(layouts[0].layoutText), edition.layoutText);
        for (std::string_view name : {build.imeFile, build.codeTableFile}) {
            const auto copies = StoredCopies(name);
            ASSERT_EQ(copies.size(), 1u) << name;
            EXPECT_EQ(robot::ReadFileBytes(copies[0]) == robot::ReadFileBytes(OnMedium(name)), copied) << name;
            EXPECT_EQ(GetFileAttributesW(Installed(name).c_str()) & kInTheWay, 0u) << name;
        }
    }

    void ExpectNothingInstalled(const ImeBuild& build) {
        EXPECT_TRUE(StoredCopies(build.imeFile).empty()) << build.imeFile;
        EXPECT_TRUE(StoredCopies(build.codeTableFile).empty()) << build.codeTableFile;
        EXPECT_TRUE(LayoutsOf(build.imeFile).empty()) << build.imeFile;
    }

    void Install(const ImeEdition& edition) {
        ASSERT_TRUE(menu.Click(edition.normalPicture)) << edition.edition;
        if (edition.largeCharacterSet) menu.CloseNotice();
    }

    // Installs with a medium file or folder moved aside; the copy of `reported` fails.
    void InstallWithout(const fs::path& missing, const ImeEdition& edition, OsError error, std::string_view reported) {
        Aside away(missing);
        Install(edition);
        menu.Dismiss(CopyReport(error, reported));
    }

    Module1 state_;
    SetupMenu menu;
};

TEST_F(BadInput, AbsentMediumFolderIsReportedUntilItIsBack) {
    const ImeEdition& popular = EditionAt(ControlId::Image6a);
    ASSERT_TRUE(menu.Start());
    InstallWithout(robot::Medium() / L"IMEData", popular, os_error::kPathNotFound, popular.nt.imeFile);
    ExpectNothingInstalled(popular.nt);
    Install(popular);
    ExpectInstalled(popular, popular.nt);
}

TEST_F(BadInput, EachNtFileMissingInTurnIsReportedThenInstalls) {
    ASSERT_TRUE(menu.Start());
    for (const ImeEdition& edition : kImeEditions) {
        const ImeBuild& files = edition.nt;
        InstallWithout(OnMedium(files.imeFile), edition, os_error::kFileNotFound, files.imeFile);
        ExpectNothingInstalled(files);
        InstallWithout(OnMedium(files.codeTableFile), edition, os_error::kFileNotFound, files.codeTableFile);
        // The IME file copied before the missing code table stays, unregistered.
        EXPECT_EQ(robot::ReadFileBytes(Installed(files.imeFile)), robot::ReadFileBytes(OnMedium(files.imeFile)));
        EXPECT_TRUE(StoredCopies(files.codeTableFile).empty());
        EXPECT_TRUE(LayoutsOf(files.imeFile).empty());
        Install(edition);
        ExpectInstalled(edition, files);
    }
}

TEST_F(BadInput, Win9xInstallsItsOwnFilesAndRefusesLargeCharacterSets) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kSetupDefaults, L"Version", REG_SZ, L"win98", 12), ERROR_SUCCESS);
    ASSERT_TRUE(menu.Start());
    for (const ImeEdition& edition : kImeEditions) {
        ASSERT_TRUE(menu.Click(edition.normalPicture)) << edition.edition;
        if (edition.largeCharacterSet) {
            ASSERT_TRUE(menu.WaitBox());
            EXPECT_FALSE(robot::FindTopWindow(robot::Wide(kForm1Caption)));
            menu.Dismiss(std::string(kRefusedOn9x));
        } else {
            ExpectInstalled(edition, edition.win9x);
        }
        ExpectNothingInstalled(edition.nt);
    }
}

TEST_F(BadInput, DestinationsInTheWayAreReplacedAndExactNamesKept) {
    const ImeEdition &sixSix = EditionAt(ControlId::Image3a), &traditional = EditionAt(ControlId::Image5a);
    const ImeEdition &hongKong = EditionAt(ControlId::Image7a), &popular = EditionAt(ControlId::Image6a);
    const ImeEdition& simplified = EditionAt(ControlId::Image4a);
    auto place = [&](const fs::path& file, DWORD attributes = 0) {
        std::ofstream(file, std::ios::binary) << "older file";
        return !attributes || (SetFileAttributesW(file.c_str(), attributes) && (GetFileAttributesW(file.c_str()) & attributes));
    };
    auto upper = [&](std::string_view name) {
        std::wstring file = Installed(name);
        CharUpperBuffW(file.data(), static_cast<DWORD>(file.size()));
        return fs::path(file);
    };
    ASSERT_TRUE(place(Installed(sixSix.nt.imeFile), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(place(Installed(sixSix.nt.codeTableFile), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(place(upper(traditional.nt.imeFile), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(place(upper(traditional.nt.codeTableFile)));
    ASSERT_TRUE(place(Installed(hongKong.nt.imeFile)));
    ASSERT_TRUE(place(Installed(hongKong.nt.codeTableFile)));
    for (std::string_view name : {simplified.nt.imeFile, simplified.nt.codeTableFile})
        ASSERT_TRUE(SetFileAttributesW(OnMedium(name).c_str(), FILE_ATTRIBUTE_READONLY));
    // A code table under another letter case is copied over, but this process holds it open.
    HANDLE held = CreateFileW(upper(popular.nt.codeTableFile).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    ASSERT_TRUE(menu.Start());
    Install(popular);
    menu.Dismiss(CopyReport(os_error::kSharingViolation, popular.nt.codeTableFile));
    EXPECT_TRUE(LayoutsOf(popular.nt.imeFile).empty());
    CloseHandle(held);
    for (const ImeEdition* edition : {&popular, &sixSix, &traditional, &simplified, &hongKong}) {
        Install(*edition);
        ExpectInstalled(*edition, edition->nt, edition != &hongKong);
    }
    for (std::string_view name : {simplified.nt.imeFile, simplified.nt.codeTableFile})
        SetFileAttributesW(OnMedium(name).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(BadInput, DraggedWindowTakesEveryItemClickedTwiceOnce) {
    const ImeEdition& failing = EditionAt(ControlId::Image7a);
    ASSERT_TRUE(robot::RemoveFile(OnMedium(failing.nt.codeTableFile)));
    ASSERT_TRUE(menu.Start());

    // Pressed on the caption, moved once the window's move loop runs, released once it moved.
    RECT frame, before = robot::ClientRectOnScreen(menu.window);
    GetWindowRect(menu.window, &frame);
    const POINT grab{frame.left + 100, (frame.top + before.top) / 2}, to{grab.x - 150, grab.y - 90};
    const DWORD thread = GetWindowThreadProcessId(menu.window, nullptr);
    auto moving = [&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE);
    };
    INPUT button = {};
    button.type = INPUT_MOUSE;
    button.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ASSERT_TRUE(robot::MoveTo(GetDesktopWindow(), grab) && SendInput(1, &button, sizeof(INPUT)));
    ASSERT_TRUE(robot::Poll(moving)) << "no move loop";
    ASSERT_TRUE(robot::MoveTo(GetDesktopWindow(), to));
    ASSERT_TRUE(robot::Poll([&] {
        const RECT after = robot::ClientRectOnScreen(menu.window);
        return after.left == before.left - 150 && after.top == before.top - 90;
    }));
    button.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_TRUE(SendInput(1, &button, sizeof(INPUT)) && robot::Poll([&] { return !moving(); }));

    for (const Tutorial& tutorial : kTutorials) {
        ASSERT_TRUE(menu.DoubleClick(tutorial.normalPicture));
        ASSERT_TRUE(robot::Poll([&] { return StandinStarts(tutorial) > 0; }));
    }
    for (const ImeEdition& edition : kImeEditions) {
        ASSERT_TRUE(menu.DoubleClick(edition.normalPicture)) << edition.edition;
        if (edition.largeCharacterSet) menu.CloseNotice();
        if (&edition == &failing) {
            menu.Dismiss(CopyReport(os_error::kFileNotFound, failing.nt.codeTableFile));
        } else {
            ASSERT_TRUE(robot::Poll([&] { return !LayoutsOf(edition.nt.imeFile).empty(); })) << edition.edition;
        }
    }
    // The banner's box comes only once every earlier press has been handled.
    ASSERT_TRUE(menu.Rest() && robot::Click(menu.window, Centre(ControlId::Imagebt)));
    menu.Dismiss(std::string(kCopyrightNotice));
    for (const Tutorial& tutorial : kTutorials) EXPECT_EQ(StandinStarts(tutorial), 1u);
    for (const ImeEdition& edition : kImeEditions)
        EXPECT_EQ(LayoutsOf(edition.nt.imeFile).size(), &edition == &failing ? 0u : 1u) << edition.edition;
    EXPECT_EQ(robot::TopWindowsOf(menu.process.Id()), std::vector<HWND>{menu.window});

    ASSERT_TRUE(menu.DoubleClick(ControlId::Image8a));
    DWORD exitCode = 1;
    ASSERT_TRUE(menu.process.WaitExit(exitCode));
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace lcime::e2e
