// Setup.exe meeting a bad medium, awkward destinations and clumsy use: each case ends in the
// designed report or behaviour, the menu stays usable, and nothing half-installed is registered.
#include "install/ErrorReport.h"
#include "Fixture.h"
#include "platform/win32/Win32Platform.h"

namespace lcime::e2e {

class BadInput : public E2eTest {
protected:
    std::string CopyReport(OsError error, std::string_view name) const {
        win32::Win32Platform platform;
        return FormatErrorReport({FailedOperation::Copy, error, platform.DescribeError(error), Utf8(OnMedium(name)),
                                  sysDir_ + std::string(name)});
    }

    // Installs with a medium file or folder moved aside; the copy of `reported` fails.
    void InstallWithout(const fs::path& missing, const MenuItem& item, OsError error, std::string_view reported) {
        const fs::path away = missing.wstring() + L".aside";
        ASSERT_TRUE(MoveFileW(missing.c_str(), away.c_str()));
        const bool wasReported = Install(item) && menu.Dismiss(CopyReport(error, reported));
        ASSERT_TRUE(MoveFileW(away.c_str(), missing.c_str()) && wasReported);
    }
};

TEST_F(BadInput, MissingMediumFilesAreReportedUntilTheyAreBack) {
    const MenuItem& popular = Item(ControlId::Image6a);
    const ImeBuild& files = popular.edition->nt;
    ASSERT_TRUE(menu.Start());
    InstallWithout(Medium() / Wide(kMediumFolder.substr(1, kMediumFolder.size() - 2)), popular,
                   os_error::kPathNotFound, files.imeFile);
    EXPECT_TRUE(NothingInstalled(files));
    InstallWithout(OnMedium(files.codeTableFile), popular, os_error::kFileNotFound, files.codeTableFile);
    // The IME file copied before the missing code table stays, unregistered.
    EXPECT_EQ(ReadFileBytes(Installed(files.imeFile)), ReadFileBytes(OnMedium(files.imeFile)));
    EXPECT_TRUE(StoredCopies(files.codeTableFile).empty());
    EXPECT_TRUE(LayoutsOf(files.imeFile).empty());
    ASSERT_TRUE(Install(popular));
    ASSERT_NO_FATAL_FAILURE(ExpectInstalled(popular));
}

// Ended in the middle of copying a large code table (killed, a power cut): no torn file is left
// under the catalogue's name for a later run to trust, and the next start installs.
TEST_F(BadInput, ACopyCutShortLeavesNothingUnderTheNameAndTheNextStartInstalls) {
    const MenuItem& popular = Item(ControlId::Image6a);
    const std::string_view table = popular.edition->nt.codeTableFile;
    {
        const win32::UniqueFile file(CreateFileW(OnMedium(table).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                 0, nullptr));
        LARGE_INTEGER size;
        size.QuadPart = 1LL << 30;
        ASSERT_TRUE(SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN) && SetEndOfFile(file.get()));
    }
    ASSERT_TRUE(menu.Start() && menu.Click(popular.normalPicture));
    // The copy under way, whatever name it is made under, has its first bytes.
    ASSERT_TRUE(Poll([&] {
        const std::vector<fs::path> copies = StoredCopies(table, true);
        std::error_code error;
        const uintmax_t size = copies.empty() ? 0 : fs::file_size(copies[0], error);
        return size > 0 && size != uintmax_t(-1);
    })) << "no copy under way";
    menu.process.Kill();
    EXPECT_TRUE(StoredCopies(table).empty()) << "a torn copy under the catalogue's name";

    LayOutMedium();
    ASSERT_TRUE(menu.Start() && Install(popular));
    ASSERT_NO_FATAL_FAILURE(ExpectInstalled(popular));
}

TEST_F(BadInput, Win9xInstallsItsOwnFilesAndRefusesLargeCharacterSets) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\Setup.exe", L"Version", REG_SZ,
                              L"win98", sizeof(L"win98")), ERROR_SUCCESS);
    ASSERT_TRUE(menu.Start());
    for (const MenuItem& item : kMenuItems) {
        if (!item.edition) continue;
        const ImeEdition& edition = *item.edition;
        SCOPED_TRACE(edition.edition);
        ASSERT_TRUE(menu.Click(item.normalPicture));
        if (edition.largeCharacterSet) {
            ASSERT_TRUE(menu.WaitBox());
            EXPECT_TRUE(TopWindows(0, Wide(kForm1Caption).c_str()).empty());
            ASSERT_TRUE(menu.Dismiss(kRefusedOn9x));
        } else {
            ASSERT_NO_FATAL_FAILURE(ExpectInstalled(item, edition.win9x));
        }
        EXPECT_TRUE(NothingInstalled(edition.nt));
    }
}

TEST_F(BadInput, DestinationsInTheWayAreReplacedAndExactNamesKept) {
    const ImeEdition &sixSix = *Item(ControlId::Image3a).edition, &traditional = *Item(ControlId::Image5a).edition;
    const ImeEdition &hongKong = *Item(ControlId::Image7a).edition, &popular = *Item(ControlId::Image6a).edition;
    const ImeEdition& simplified = *Item(ControlId::Image4a).edition;
    auto place = [&](const fs::path& file, DWORD attributes = 0) {
        std::ofstream(file, std::ios::binary) << "older file";
        SetFileAttributesW(file.c_str(), attributes);
        return fs::exists(file) && (GetFileAttributesW(file.c_str()) & attributes) == attributes;
    };
    auto upper = [&](std::string_view view) { return Installed(CharUpperA(std::string(view).data())); };
    ASSERT_TRUE(place(Installed(sixSix.nt.imeFile), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(place(Installed(sixSix.nt.codeTableFile), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(place(upper(traditional.nt.imeFile), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(place(upper(traditional.nt.codeTableFile)));
    ASSERT_TRUE(place(Installed(hongKong.nt.imeFile)));
    ASSERT_TRUE(place(Installed(hongKong.nt.codeTableFile)));
    for (std::string_view name : {simplified.nt.imeFile, simplified.nt.codeTableFile})
        ASSERT_TRUE(SetFileAttributesW(OnMedium(name).c_str(), FILE_ATTRIBUTE_READONLY));
    // A hidden code table under another letter case is copied over, but this process holds it
    // open: the failed copy leaves it as it was, hidden.
    win32::UniqueFile held(CreateFileW(upper(popular.nt.codeTableFile).c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
    ASSERT_TRUE(held);

    ASSERT_TRUE(menu.Start());
    ASSERT_TRUE(Install(Item(ControlId::Image6a)));
    ASSERT_TRUE(menu.Dismiss(CopyReport(os_error::kSharingViolation, popular.nt.codeTableFile)));
    EXPECT_EQ(StoredCopies(popular.nt.codeTableFile, true).size(), 1u) << "a partial copy left";
    EXPECT_TRUE(LayoutsOf(popular.nt.imeFile).empty());
    EXPECT_EQ(GetFileAttributesW(upper(popular.nt.codeTableFile).c_str()) & FILE_ATTRIBUTE_HIDDEN,
              DWORD(FILE_ATTRIBUTE_HIDDEN));
    held.reset();
    for (ControlId picture : {ControlId::Image6a, ControlId::Image3a, ControlId::Image5a, ControlId::Image4a,
                              ControlId::Image7a}) {
        const MenuItem& item = Item(picture);
        SCOPED_TRACE(item.edition->edition);
        ASSERT_TRUE(Install(item));
        ASSERT_NO_FATAL_FAILURE(ExpectInstalled(item, item.edition->nt, item.edition != &hongKong));
    }
}

TEST_F(BadInput, DraggedWindowTakesEveryItemClickedTwiceOnce) {
    const ImeEdition& failing = *Item(ControlId::Image7a).edition;
    ASSERT_TRUE(RemoveFile(OnMedium(failing.nt.codeTableFile)));
    ASSERT_TRUE(menu.Start());

    // Pressed on the caption, moved once the window's move loop runs, released once it moved.
    RECT frame;
    GetWindowRect(menu.window, &frame);
    const POINT before = ToScreen(menu.window, {0, 0}), grab{frame.left + 100, (frame.top + before.y) / 2};
    const POINT to{grab.x - 150, grab.y - 90};
    const DWORD thread = GetWindowThreadProcessId(menu.window, nullptr);
    auto moving = [&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE);
    };
    ASSERT_TRUE(MoveTo(GetDesktopWindow(), grab) && Send({Mouse(MOUSEEVENTF_LEFTDOWN)}));
    ASSERT_TRUE(Poll(moving)) << "no move loop";
    ASSERT_TRUE(MoveTo(GetDesktopWindow(), to));
    ASSERT_TRUE(Poll([&] {
        const POINT after = ToScreen(menu.window, {0, 0});
        return after.x == before.x - 150 && after.y == before.y - 90;
    }));
    ASSERT_TRUE(Send({Mouse(MOUSEEVENTF_LEFTUP)}) && Poll([&] { return !moving(); }));

    for (const MenuItem& item : kMenuItems) {
        if (!item.tutorial) continue;
        ASSERT_TRUE(menu.Click(item.normalPicture, true) && Poll([&] { return StartedOnceMinimized(*item.tutorial); }));
    }
    for (const MenuItem& item : kMenuItems) {
        if (!item.edition) continue;
        const ImeEdition& edition = *item.edition;
        SCOPED_TRACE(edition.edition);
        ASSERT_TRUE(menu.Click(item.normalPicture, true) && (!edition.largeCharacterSet || menu.CloseNotice()));
        if (&edition == &failing) {
            ASSERT_TRUE(menu.Dismiss(CopyReport(os_error::kFileNotFound, failing.nt.codeTableFile)));
        } else {
            ASSERT_TRUE(Poll([&] { return !LayoutsOf(edition.nt.imeFile).empty(); }));
        }
    }
    // The banner's box comes only once every earlier press has been handled.
    ASSERT_TRUE(menu.ClickBanner() && menu.Dismiss(kCopyrightNotice));
    for (const Tutorial* tutorial : kTutorials) EXPECT_TRUE(StartedOnceMinimized(*tutorial));
    for (const ImeEdition* edition : kImeEditions)
        EXPECT_EQ(LayoutsOf(edition->nt.imeFile).size(), edition == &failing ? 0u : 1u) << edition->edition;
    EXPECT_EQ(TopWindows(menu.process.id), std::vector<HWND>{menu.window});
    EXPECT_TRUE(menu.Exit(true));
}

}  // namespace lcime::e2e
