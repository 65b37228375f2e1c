#include "MenuSession.h"

#include <algorithm>

#include "Medium.h"
#include "install/InstallImeEdition.h"

namespace lcime::e2e {

using namespace robot;

void MenuSession::SetUp() {
    RemoveImeLayouts();
    const SystemDirs dirs = SystemDirectories();
    for (const std::string& name : demo::MediumImeFiles()) {
        for (const auto& dir : {dirs.installed, dirs.other})
            if (!dir.empty()) {
                ASSERT_TRUE(RemoveFile(dir / name)) << name;
            }
    }
    LayOutMedium();
    layoutsBefore_ = KeyboardLayouts();
}

void MenuSession::Start(WORD showWindow) {
    ASSERT_TRUE(StartSetup(setup_, showWindow));
    menu_ = WaitTopWindow(Wide(kForm2Caption), L"", setup_.Id(), kFirstWindowMs);
    ASSERT_TRUE(menu_) << "no menu window";
    // The pointer may be left over an item; the menu is at rest once its pixels stay put.
    ASSERT_NO_FATAL_FAILURE(Rest());
    ASSERT_TRUE(Poll([&] {
        const RECT all = {0, 0, kClientWidth, kClientHeight};
        const std::vector<COLORREF> first = Capture(menu_, all);
        Sleep(200);
        return !first.empty() && first == Capture(menu_, all);
    }));
}

std::vector<COLORREF> MenuSession::Pixels(ControlId control) const {
    const PixelRect r = scene_.Bounds(control);
    return Capture(menu_, {r.left, r.top, r.left + r.width, r.top + r.height});
}

bool MenuSession::WaitPixels(ControlId control, const std::vector<COLORREF>& reference, bool equal) const {
    return Poll([&] { return (Pixels(control) == reference) == equal; });
}

const MenuItem& MenuSession::ItemOf(ControlId normalPicture) {
    return *std::find_if(kMenuItems.begin(), kMenuItems.end(),
                         [&](const MenuItem& item) { return item.normalPicture == normalPicture; });
}

void MenuSession::Hover(const MenuItem& item) {
    // A point the normal picture takes at rest and the highlight once it shows.
    Scene hovered;
    hovered.SetVisible(item.highlightPicture, true);
    const PixelRect r = scene_.Bounds(item.normalPicture);
    POINT at{-1, -1};
    for (int y = r.top + r.height / 2; y < r.top + r.height && at.x < 0; y += 2)
        for (int x = r.left + r.width / 2; x < r.left + r.width && at.x < 0; x += 2)
            if (scene_.HitTest(x, y) == item.normalPicture && hovered.HitTest(x, y) == item.highlightPicture)
                at = {x, y};
    ASSERT_GE(at.x, 0);
    restHighlight_ = Pixels(item.highlightPicture);
    ASSERT_TRUE(MoveTo(menu_, at));
    ASSERT_TRUE(WaitPixels(item.highlightPicture, restHighlight_, false)) << "no highlight";
}

void MenuSession::Rest() {
    for (int y = 0; y < kClientHeight; y += 7)
        for (int x = 0; x < kClientWidth; x += 7)
            if (!scene_.HitTest(x, y)) {
                ASSERT_TRUE(MoveTo(menu_, {x, y}));
                return;
            }
    FAIL() << "no bare point";
}

void MenuSession::ClickItem(const MenuItem& item, ControlId watched) {
    ASSERT_NO_FATAL_FAILURE(Hover(item));
    beforeClick_ = Pixels(watched);
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(menu_, &cursor);
    ASSERT_TRUE(Click(menu_, cursor));
}

void MenuSession::ExpectInstalled(const ImeEdition& edition) {
    const SystemDirs dirs = SystemDirectories();
    const std::wstring medium = Medium().wstring() + Wide(kMediumFolder.substr(1));
    auto copied = [&](std::string_view name) {
        const std::string copy = ReadFileBytes(dirs.installed / std::string(name));
        return !copy.empty() && copy == ReadFileBytes(medium + Wide(name));
    };
    std::vector<KeyboardLayout> added;
    auto addedLayouts = [&] {
        added.clear();
        for (const KeyboardLayout& layout : KeyboardLayouts()) {
            auto same = [&](const KeyboardLayout& old) { return old.key == layout.key; };
            if (std::none_of(layoutsBefore_.begin(), layoutsBefore_.end(), same)) added.push_back(layout);
        }
        return !added.empty() && !added.back().layoutText.empty() && !added.back().imeFile.empty();
    };
    // The layout is registered after both copies and before the result line shows; its key
    // comes before its values.
    ASSERT_TRUE(Poll(addedLayouts)) << "nothing registered";
    EXPECT_TRUE(copied(edition.nt.imeFile)) << edition.nt.imeFile;
    EXPECT_TRUE(copied(edition.nt.codeTableFile)) << edition.nt.codeTableFile;
    if (!dirs.other.empty()) {
        for (const std::string& name : demo::MediumImeFiles())
            EXPECT_FALSE(std::filesystem::exists(dirs.other / name)) << name;
    }
    wchar_t systemDir[MAX_PATH];
    GetSystemDirectoryW(systemDir, MAX_PATH);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].layoutText, Wide(edition.layoutText));
    EXPECT_EQ(added[0].imeFile, std::wstring(systemDir) + L"\\" + Wide(edition.nt.imeFile));
    EXPECT_TRUE(WaitWatchedChanges(edition.resultLabel)) << "no result line";
    layoutsBefore_ = KeyboardLayouts();
}

void MenuSession::ExpectMenuInFront() const {
    EXPECT_TRUE(Poll([&] { return GetForegroundWindow() == menu_; })) << "menu not in front";
}

}  // namespace lcime::e2e
