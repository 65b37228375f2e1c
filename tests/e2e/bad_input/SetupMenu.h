// Drives one run of Setup.exe through its menu window as a person would. Items are found at
// their design rectangles; an item counts as hovered once its picture on the screen changes.
#pragma once

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "install/Catalogue.h"
#include "install/Form1.h"
#include "menu/Form2.h"
#include "robot/Robot.h"

namespace lcime::e2e {

inline RECT ClientRect(ControlId id) {
    const PixelRect r = Scene().Bounds(id);
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}

// The catalogue entry of the edition whose item shows this normal picture.
inline const ImeEdition& EditionAt(ControlId normalPicture) {
    for (const ImeEdition& edition : kImeEditions)
        if (edition.normalPicture == normalPicture) return edition;
    throw std::invalid_argument("no edition at this item");
}

inline POINT Centre(ControlId id) {
    const RECT r = ClientRect(id);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class SetupMenu {
public:
    // Starts M:\Setup.exe with the pointer off its window and waits until the menu is idle.
    bool Start() {
        if (!robot::MoveTo(GetDesktopWindow(), {1, 1}) || !robot::StartSetup(process)) return false;
        window = robot::WaitTopWindow(robot::Wide(kForm2Caption), L"", process.Id(), robot::kFirstWindowMs);
        HANDLE handle = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, process.Id());
        const bool idle = window && handle && WaitForInputIdle(handle, robot::kWaitMs) == 0;
        if (handle) CloseHandle(handle);
        // No preview shows while nothing is hovered.
        if (idle) restPreview_ = robot::Capture(window, ClientRect(PreviewPicture(0)));
        return idle;
    }

    // Moves onto bare window, where every item goes back to its normal picture.
    bool Rest() {
        const Scene scene;
        POINT bare{0, 0};
        while (scene.HitTest(bare.x, bare.y)) ++bare.x;
        return Expect(robot::MoveTo(window, bare) && robot::Poll([&] {
                          return robot::Capture(window, ClientRect(PreviewPicture(0))) == restPreview_;
                      }), "at rest");
    }

    bool Hover(ControlId normalPicture) {
        if (!Rest()) return false;
        const auto atRest = robot::Capture(window, ClientRect(normalPicture));
        return Expect(robot::MoveTo(window, Centre(normalPicture)) && robot::Poll([&] {
                          return robot::Capture(window, ClientRect(normalPicture)) != atRest;
                      }), "hovered");
    }

    bool Click(ControlId normalPicture) { return Hover(normalPicture) && robot::Click(window, Centre(normalPicture)); }

    // Two presses sent together, so that the second is queued before the first is handled.
    bool DoubleClick(ControlId normalPicture) {
        if (!Hover(normalPicture)) return false;
        std::vector<INPUT> presses(4);
        for (size_t i = 0; i < presses.size(); ++i) {
            presses[i].type = INPUT_MOUSE;
            presses[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
        }
        return SendInput(4, presses.data(), sizeof(INPUT)) == 4;
    }

    // The program's message box (not the notice dialog) and its text.
    HWND WaitBox(std::wstring* text = nullptr) {
        HWND box = nullptr;
        robot::Poll([&] {
            for (HWND w : robot::TopWindowsOf(process.Id()))
                if (robot::ClassOf(w) == L"#32770" && robot::TitleOf(w) != robot::Wide(kForm1Caption)) box = w;
            return box != nullptr;
        });
        if (box && text) *text = robot::MessageText(box);
        return box;
    }

    // Clicks OK on the message box, which must say `expected`. A click, not a posted button
    // message, comes after any earlier input still queued for the program.
    void Dismiss(const std::string& expected) {
        std::wstring text;
        HWND box = WaitBox(&text);
        ASSERT_TRUE(box) << "no message box";
        EXPECT_EQ(robot::Utf8(text), expected);
        RECT ok = {};
        GetClientRect(GetDlgItem(box, IDOK), &ok);
        ASSERT_TRUE(robot::Click(GetDlgItem(box, IDOK), {ok.right / 2, ok.bottom / 2}) && robot::WaitGone(box));
    }

    // Closes the notice dialog with its close box.
    void CloseNotice() {
        HWND notice = robot::WaitTopWindow(robot::Wide(kForm1Caption), L"#32770", process.Id());
        ASSERT_TRUE(notice) << "no notice";
        ASSERT_TRUE(robot::CloseBox(notice) && robot::WaitGone(notice));
    }

    robot::Process process;
    HWND window = nullptr;

private:
    // Adds a failure naming the program's windows when `done` is false.
    bool Expect(bool done, const char* what) {
        if (done) return true;
        std::string windows;
        for (HWND w : robot::TopWindowsOf(process.Id()))
            windows += " [" + robot::Utf8(robot::ClassOf(w) + L" " + robot::TitleOf(w) + L" " + robot::MessageText(w)) + "]";
        DWORD exitCode = 0;
        if (process.WaitExit(exitCode, 0)) windows += " (Setup.exe ended with " + std::to_string(exitCode) + ")";
        ADD_FAILURE() << "not " << what << "; windows:" << windows;
        return false;
    }

    std::vector<COLORREF> restPreview_;
};

}  // namespace lcime::e2e
