// Setup.exe meeting a bad medium, awkward destinations and clumsy use: each case ends in the
// designed report or behaviour, the menu stays usable, and nothing half-installed is registered.
#include "install/ErrorReport.h"
#include "Fixture.h"
#include "platform/win32/Win32Platform.h"

namespace lcime::e2e {

class BadInput : public E2eTest {
protected:
    // The report of a failed copy of `name` into the 32-bit system directory, or of the 64-bit
    // build into the 64-bit one, naming both as Setup.exe does.
    std::string CopyReport(OsError error, std::string_view name, Build build = Build::k32Bit) const {
        win32::Win32Platform platform;
        const Wow64Directories directories = platform.SystemDirectoriesOf64BitWindows().value();
        const std::string& destination = build == Build::k64Bit ? directories.for64Bit : directories.for32Bit;
        return FormatErrorReport({FailedOperation::Copy, error, platform.DescribeError(error),
                                  OnMedium(name, build).u8string(), destination + std::string(name)});
    }
};

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
        const std::vector<fs::path> copies = StoredCopies(dirs.for32Bit, table, true);
        std::error_code error;
        const uintmax_t size = copies.empty() ? 0 : fs::file_size(copies[0], error);
        return size > 0 && size != uintmax_t(-1);
    })) << "no copy under way";
    menu.process.Kill();
    EXPECT_TRUE(StoredCopies(dirs.for32Bit, table).empty()) << "a torn copy under the catalogue's name";

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
        for (const fs::path& directory : {dirs.for32Bit, dirs.for64Bit})  // nor the NT family's build
            for (std::string_view name : {edition.nt.imeFile, edition.nt.codeTableFile})
                EXPECT_TRUE(StoredCopies(directory, name).empty()) << name;
        EXPECT_TRUE(LayoutsOf(edition.nt.imeFile).empty());
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
    auto upper = [&](const fs::path& directory, std::string_view view) {
        return directory / CharUpperA(std::string(view).data());
    };
    ASSERT_TRUE(place(dirs.for32Bit / sixSix.nt.imeFile, FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(place(dirs.for32Bit / sixSix.nt.codeTableFile, FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(place(upper(dirs.for32Bit, traditional.nt.imeFile), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(place(upper(dirs.for32Bit, traditional.nt.codeTableFile)));
    ASSERT_TRUE(place(dirs.for32Bit / hongKong.nt.imeFile));
    ASSERT_TRUE(place(dirs.for32Bit / hongKong.nt.codeTableFile));
    for (std::string_view name : {simplified.nt.imeFile, simplified.nt.codeTableFile})
        ASSERT_TRUE(SetFileAttributesW(OnMedium(name).c_str(), FILE_ATTRIBUTE_READONLY));
    // A hidden code table under another letter case is copied over, but this process holds it
    // open: the failed copy leaves it as it was, hidden. Then the 64-bit build, held the same way
    // as a 64-bit program holds a loaded input method, gets the same advice.
    const fs::path heldTable = upper(dirs.for32Bit, popular.nt.codeTableFile);
    win32::UniqueFile held(CreateFileW(heldTable.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_HIDDEN, nullptr));
    ASSERT_TRUE(held);

    ASSERT_TRUE(menu.Start());
    ASSERT_TRUE(Install(Item(ControlId::Image6a)));
    ASSERT_TRUE(menu.Dismiss(CopyReport(os_error::kSharingViolation, popular.nt.codeTableFile)));
    EXPECT_EQ(StoredCopies(dirs.for32Bit, popular.nt.codeTableFile, true).size(), 1u) << "a partial copy left";
    EXPECT_TRUE(LayoutsOf(popular.nt.imeFile).empty());
    EXPECT_EQ(GetFileAttributesW(heldTable.c_str()) & FILE_ATTRIBUTE_HIDDEN, DWORD(FILE_ATTRIBUTE_HIDDEN));
    held = win32::UniqueFile(CreateFileW(upper(dirs.for64Bit, popular.nt.imeFile).c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(held && Install(Item(ControlId::Image6a)) &&
                menu.Dismiss(CopyReport(os_error::kSharingViolation, popular.nt.imeFile, Build::k64Bit)));
    EXPECT_EQ(StoredCopies(dirs.for64Bit, popular.nt.imeFile, true).size(), 1u) << "a partial copy left";
    EXPECT_TRUE(LayoutsOf(popular.nt.imeFile).empty());
    held.reset();
    for (ControlId picture : {ControlId::Image6a, ControlId::Image3a, ControlId::Image5a, ControlId::Image4a,
                              ControlId::Image7a}) {
        const MenuItem& item = Item(picture);
        SCOPED_TRACE(item.edition->edition);
        ASSERT_TRUE(Install(item));
        ASSERT_NO_FATAL_FAILURE(ExpectInstalled(item, item.edition->nt, item.edition != &hongKong));
    }
}

// This suite's Setup.exe carries the list of its release's medium. A flipped byte in an .IME, a
// truncated .MB, a 64-bit .IME replaced by another input method and a replaced tutorial setup are
// each refused as damaged or altered: nothing under the file's name, no partial copy, nothing
// registered or started. Put back, the file installs, even while another program holds it.
TEST_F(BadInput, DamagedOrAlteredFilesAreRefusedUntilPutBack) {
    const ImeEdition &sixSix = *Item(ControlId::Image3a).edition, &traditional = *Item(ControlId::Image5a).edition;
    const fs::path setup = OnMedium(Item(ControlId::Image1a).tutorial->setupProgram);
    std::string flipped = ReadFileBytes(OnMedium(sixSix.nt.imeFile)), table = ReadFileBytes(OnMedium(traditional.nt.codeTableFile));
    flipped[flipped.size() / 2] ^= 1;
    const std::tuple<ControlId, fs::path, std::string, Build> cases[] = {
        {ControlId::Image3a, OnMedium(sixSix.nt.imeFile), flipped, Build::k32Bit},
        {ControlId::Image5a, OnMedium(traditional.nt.codeTableFile), table.substr(0, table.size() / 2), Build::k32Bit},
        {ControlId::Image7a, OnMedium(Item(ControlId::Image7a).edition->nt.imeFile, Build::k64Bit),
         ReadFileBytes(OnMedium(sixSix.nt.imeFile, Build::k64Bit)), Build::k64Bit},
        {ControlId::Image1a, setup, ReadFileBytes(setup) + "!", Build::k32Bit}};
    ASSERT_TRUE(menu.Start());
    for (const auto& [picture, file, bytes, build] : cases) {
        const MenuItem& item = Item(picture);
        const std::string name = file.filename().u8string(), original = ReadFileBytes(file);
        SCOPED_TRACE(name);
        const std::string report = item.edition ? CopyReport(os_error::kFileCorrupt, name, build)
                                                : FormatErrorReport({FailedOperation::Start, os_error::kFileCorrupt,
                                                                     win32::Win32Platform().DescribeError(os_error::kFileCorrupt),
                                                                     file.u8string(), ""});
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
        ASSERT_TRUE((item.edition ? Install(item) : menu.Click(picture)) && menu.Dismiss(report));
        if (item.edition) {
            EXPECT_TRUE(StoredCopies(build == Build::k64Bit ? dirs.for64Bit : dirs.for32Bit, name, true).empty());
            EXPECT_TRUE(LayoutsOf(item.edition->nt.imeFile).empty());
        }
        EXPECT_FALSE(fs::exists(setup.parent_path() / L"standin.log"));
        std::ofstream(file, std::ios::binary | std::ios::trunc) << original;
        if (!item.edition) { ASSERT_TRUE(menu.Click(picture)); continue; }
        // Put back while another program holds it with delete access, as a virus scanner or a
        // synchronising client may: the copy reads it, and the check reads the copy.
        win32::UniqueFile holder(CreateFileW(file.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                             nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder && Install(item) && Poll([&] { return !LayoutsOf(item.edition->nt.imeFile).empty(); }));
        holder.reset();
        ASSERT_NO_FATAL_FAILURE(ExpectInstalled(item));
    }
    EXPECT_TRUE(Poll([&] { return StartedOnceMinimized(*Item(ControlId::Image1a).tutorial); }));
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
        ASSERT_TRUE(menu.Click(item.normalPicture, true) && (!edition.largeCharacterSet || menu.CloseNotice()) &&
                    (&edition != &failing || menu.Dismiss(CopyReport(os_error::kFileNotFound, failing.nt.codeTableFile))));
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
