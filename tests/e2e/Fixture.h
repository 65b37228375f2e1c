// Drives one run of Setup.exe through its menu window as a person would, and the fixture every
// suite starts from: a freshly laid out medium and nothing installed.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "install/Form1.h"
#include "install/InstallImeEdition.h"
#include "install/Medium.h"
#include "menu/Form2.h"
#include "menu/LabelPainter.h"
#include "robot/Robot.h"

namespace lcime::e2e {

using namespace robot;

// The menu item of a picture; every suite names items by their pictures.
inline const MenuItem& Item(ControlId picture) { return *ItemOf(picture); }

// The tutorial stand-in beside its setup program has logged one start, minimized.
inline bool StartedOnceMinimized(const Tutorial& tutorial, const fs::path& medium = Medium()) {
    const fs::path log = (medium / Wide(MediumPath(tutorial.setupProgram).substr(1))).parent_path() / L"standin.log";
    return ReadFileBytes(log) == "started show=" + std::to_string(kShowMinimized) + "\n";
}

// Adds a failure naming what did not happen.
inline bool Check(bool done, const char* what) { return done || (ADD_FAILURE() << what, false); }

enum class CloseBy { OkButton, CloseBox, AltF4 };

// Each call that returns bool adds a failure when it returns false.
class SetupMenu {
public:
    // The density Setup.exe runs at (the prefix's LogPixels when it starts); geometry follows it.
    int dpi = kDesignDpi;

    RECT ClientRect(ControlId control) const {
        const PixelRect r = Scene(dpi).Bounds(control);
        return {r.left, r.top, r.left + r.width, r.top + r.height};
    }
    POINT Centre(ControlId control) const {
        const RECT r = ClientRect(control);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    // Starts Setup.exe at the density on the medium with the pointer off its window; waits for
    // input idle and still pixels, and keeps how each control looks then. A running one is ended.
    bool Start(WORD showWindow = SW_SHOWDEFAULT, const fs::path& medium = Medium(), const fs::path& current = Medium()) {
        const PixelRect client = Scene::ClientArea(dpi);
        const RECT all = {0, 0, client.width, client.height};
        const DWORD logPixels = static_cast<DWORD>(dpi);
        std::vector<COLORREF> still;
        if (!Check(RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &logPixels,
                                   sizeof(logPixels)) == ERROR_SUCCESS && MoveTo(GetDesktopWindow(), {1, 1}) &&
                       process.Start(L"\"" + (medium / L"Setup.exe").wstring() + L"\"", current, showWindow) &&
                       (window = WaitTopWindow(process.id, Wide(kForm2Caption).c_str(), nullptr, kFirstWindowMs)) &&
                       WaitForInputIdle(process.handle.get(), kWaitMs) == 0 && Poll([&] {
                           still = Capture(window, all);
                           Sleep(200);
                           return !still.empty() && still == Capture(window, all);
                       }), "no menu window at rest"))
            return false;
        for (const ControlDesign& design : kInventory) start_[design.id] = Pixels(design.id);
        return true;
    }

    std::vector<COLORREF> Pixels(ControlId control) const { return Capture(window, ClientRect(control)); }
    const std::vector<COLORREF>& PixelsAtStart(ControlId control) const { return start_.at(control); }
    bool WaitPixels(ControlId control, const std::vector<COLORREF>& reference, bool equal) const {
        return Poll([&] { return (Pixels(control) == reference) == equal; });
    }
    // Waits until the control no longer looks as it did at the start, e.g. a preview.
    bool Shown(ControlId control) const { return WaitPixels(control, PixelsAtStart(control), false); }

    // Waits until the label's words are drawn: wherever the product's label painter, drawing the
    // caption in black on white at this density, covers a pixel three quarters or more, the
    // window's pixel is as dark (the text colour of the standard scheme is black).
    bool WordsShown(ControlId label, std::string_view caption) const {
        const RECT box = ClientRect(label), all = {0, 0, box.right - box.left, box.bottom - box.top};
        const std::wstring text = Wide(caption);
        const std::vector<COLORREF> painted = Painted(all.right, all.bottom, [&](HDC dc) {
            const bool filled = FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            win32::LabelPainter().Paint(dc, DesignOf(label).font, text, {0, 0, all.right, all.bottom}, dpi);
            return filled;
        });
        auto dark = [](COLORREF c, COLORREF most) { return (c & 0xff) <= most && (c >> 8 & 0xff) <= most && (c >> 16 & 0xff) <= most; };
        std::vector<size_t> inked;
        for (size_t i = 0; i < painted.size(); ++i)
            if (dark(painted[i], 64)) inked.push_back(i);
        return Check(inked.size() >= text.size(), "caption has no ink") && Poll([&] {
            const std::vector<COLORREF> seen = Pixels(label);
            return std::all_of(inked.begin(), inked.end(), [&](size_t i) { return dark(seen[i], 96); });
        });
    }

    // Points at bare window and waits for the preview to go back to its start.
    bool Rest() {
        POINT bare{0, 0};
        while (Scene(dpi).HitTest(bare.x, bare.y)) ++bare.x;
        return Check(MoveTo(window, bare) && WaitPixels(PreviewPicture(0), PixelsAtStart(PreviewPicture(0)), true),
                     "menu not at rest");
    }

    // Points at the middle of an item and waits for its highlight.
    bool Hover(ControlId normalPicture) {
        const ControlId highlight = Item(normalPicture).highlightPicture;
        if (!Rest()) return false;
        const std::vector<COLORREF> before = Pixels(highlight);
        return Check(MoveTo(window, Centre(normalPicture)) && WaitPixels(highlight, before, false), "no highlight");
    }

    // Two presses sent together when `twice`, so that the second is queued before the first is handled.
    bool Click(ControlId normalPicture, bool twice = false) {
        const INPUT down = Mouse(MOUSEEVENTF_LEFTDOWN), up = Mouse(MOUSEEVENTF_LEFTUP);
        return Hover(normalPicture) && Check(twice ? Send({down, up, down, up}) : Send({down, up}), "not clicked");
    }

    bool ClickBanner() { return Rest() && Check(robot::Click(window, Centre(ControlId::Imagebt)), "not clicked"); }

    // The program's message box, titled with the product's name.
    HWND WaitBox() const { return WaitTopWindow(process.id, Wide(LCIME_PRODUCT_NAME).c_str(), L"#32770"); }

    // Clicks OK on the message box, which must say `expected`. A click, unlike a posted button
    // message, comes after any input still queued for the program.
    bool Dismiss(std::string_view expected) {
        HWND box = WaitBox();
        wchar_t text[4096];
        EXPECT_EQ(Utf8({text, GetDlgItemTextW(box, 0xFFFF, text, 4096)}), expected);
        return Check(box && ClickMiddle(GetDlgItem(box, IDOK)) && WaitGone(box), "no message box to dismiss");
    }

    HWND WaitNotice() const { return WaitTopWindow(process.id, Wide(kForm1Caption).c_str(), L"#32770"); }

    bool CloseNotice(CloseBy way = CloseBy::CloseBox) {
        HWND notice = WaitNotice();
        HWND ok = ChildWithText(notice, L"Button", kCommand1Caption);
        const bool done = notice && (way == CloseBy::OkButton ? ClickMiddle(ok)
                                     : way == CloseBy::AltF4  ? Keys(notice, {VK_MENU, VK_F4})
                                                              : PostMessageW(notice, WM_SYSCOMMAND, SC_CLOSE, 0));
        return Check(done && WaitGone(notice), "notice not closed");
    }

    bool InFront() const { return Check(Poll([&] { return GetForegroundWindow() == window; }), "menu not in front"); }

    // Clicks the exit item (twice together when `twice`) and waits for exit code 0.
    bool Exit(bool twice = false) {
        DWORD exitCode = 1;
        return Click(ControlId::Image8a, twice) && Check(process.WaitExit(exitCode) && exitCode == 0, "no exit with 0");
    }

    Process process;
    HWND window = nullptr;

private:
    std::map<ControlId, std::vector<COLORREF>> start_;
};

class E2eTest : public testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults");
        DEVMODEW room = {};  // for the menu at 192 pixels per inch: the virtual desktop grows to the X screen
        room.dmSize = sizeof(room);
        room.dmPelsWidth = 1280, room.dmPelsHeight = 1024, room.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        ASSERT_EQ(ChangeDisplaySettingsW(&room, 0), DISP_CHANGE_SUCCESSFUL);
        RemoveImeLayouts();
        wchar_t system[MAX_PATH];
        sysDir_ = Utf8({system, GetSystemDirectoryW(system, MAX_PATH)}) + "\\";
        for (const std::string& name : demo::MediumImeFiles()) {
            SetFileAttributesW(OnMedium(name).c_str(), FILE_ATTRIBUTE_NORMAL);  // a test may make it read-only
            for (const fs::path& directory : {dirs.for32Bit, dirs.for64Bit})
                for (const fs::path& copy : StoredCopies(directory, name)) ASSERT_TRUE(RemoveFile(copy));
        }
        LayOutMedium();
    }

    // The IME path Setup.exe registers.
    fs::path Installed(std::string_view name) const { return Wide(sysDir_ + std::string(name)); }
    fs::path OnMedium(std::string_view name, Build build = Build::k32Bit) const {
        return Medium() / Wide(MediumPath(name, build).substr(1));
    }

    // The copies of `name` in a system directory in any letter case (Windows sees them as one
    // file); with `orLonger`, also the files whose names begin with it.
    std::vector<fs::path> StoredCopies(const fs::path& directory, std::string_view name, bool orLonger = false) const {
        const std::wstring wanted = Wide(name);
        std::vector<fs::path> copies;
        for (const auto& entry : fs::directory_iterator(directory)) {
            const std::wstring file = entry.path().filename();
            if (_wcsnicmp(file.c_str(), wanted.c_str(), orLonger ? wanted.size() : file.size() + 1) == 0)
                copies.push_back(entry.path());
        }
        return copies;
    }

    std::vector<KeyboardLayout> LayoutsOf(std::string_view imeFile) const {
        std::vector<KeyboardLayout> found;
        for (const KeyboardLayout& layout : KeyboardLayouts())
            if (_wcsicmp(layout.imeFile.c_str(), Installed(imeFile).c_str()) == 0) found.push_back(layout);
        return found;
    }

    // Clicks the item and closes the notice if one comes.
    bool Install(const MenuItem& item) {
        return menu.Click(item.normalPicture) && (!item.edition->largeCharacterSet || menu.CloseNotice());
    }

    // The IME registered once under its text; both files copied (or, not `copied`, those of the
    // 32-bit directory kept) as one plain file each: on the 9x family into this suite's system
    // directory, on the NT family into the 32-bit one and, where the medium has the edition's
    // 64-bit build, that build and the code table into the 64-bit one; nothing in the other
    // directory; the result line shown.
    void ExpectInstalled(const MenuItem& item, const ImeBuild& build, bool copied = true) {
        std::vector<KeyboardLayout> layouts;
        ASSERT_TRUE(Poll([&] {  // the layout's key comes before its values
            layouts = LayoutsOf(build.imeFile);
            return !layouts.empty() && !layouts[0].layoutText.empty();
        })) << "nothing registered";
        ASSERT_EQ(layouts.size(), 1u);
        EXPECT_EQ(Utf8(layouts[0].layoutText), item.edition->layoutText);
        EXPECT_EQ(layouts[0].imeFile, Installed(build.imeFile).wstring());
        const bool win9x = &build == &item.edition->win9x;
        const bool with64Bit = !win9x && fs::exists(OnMedium(build.imeFile, Build::k64Bit));
        const DWORD inTheWay = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
        for (const fs::path& directory : {dirs.for32Bit, dirs.for64Bit}) {
            const bool is64Bit = directory == dirs.for64Bit, expected = win9x ? directory == dirs.own : !is64Bit || with64Bit;
            for (std::string_view name : {build.imeFile, build.codeTableFile}) {
                SCOPED_TRACE((directory / Wide(name)).u8string());
                const auto copies = StoredCopies(directory, name, true);  // and no partial copy beside it
                ASSERT_EQ(copies.size(), expected ? 1u : 0u);
                if (!expected) continue;
                const Build from = is64Bit && !win9x && name == build.imeFile ? Build::k64Bit : Build::k32Bit;
                EXPECT_EQ(ReadFileBytes(copies[0]) == ReadFileBytes(OnMedium(name, from)), copied || is64Bit);
                EXPECT_EQ(GetFileAttributesW(copies[0].c_str()) & inTheWay, 0u);
            }
        }
        EXPECT_TRUE(menu.WordsShown(item.resultLabel, DesignOf(item.resultLabel).caption)) << "no result line";
    }
    void ExpectInstalled(const MenuItem& item) { ExpectInstalled(item, item.edition->nt); }

    const SystemDirs dirs = SystemDirectories();
    std::string sysDir_;  // with its trailing backslash, as Setup.exe names the IME it registers
    SetupMenu menu;
};

}  // namespace lcime::e2e
