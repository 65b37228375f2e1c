// A fixture for the suites that drive the menu window: every test starts from a freshly laid
// out medium, nothing installed, and a Setup.exe of its own.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "install/Catalogue.h"
#include "menu/Form2.h"
#include "robot/Robot.h"

namespace lcime::e2e {

class MenuSession : public ::testing::Test {
protected:
    void SetUp() override;
    // Starts M:\Setup.exe and waits for its menu window.
    void Start(WORD showWindow = SW_SHOWDEFAULT);

    // The screen pixels of a control's design rectangle.
    std::vector<COLORREF> Pixels(ControlId control) const;
    // Waits until the control's pixels equal (or differ from) `reference`.
    bool WaitPixels(ControlId control, const std::vector<COLORREF>& reference, bool equal) const;

    // Points at an item and waits for its highlight; points at bare window and waits for rest.
    void Hover(const MenuItem& item);
    void Rest();
    // Hovers the item and clicks it; `watched`'s pixels just before the click are kept.
    void ClickItem(const MenuItem& item, ControlId watched);
    // Waits until the watched control's pixels change after the click.
    bool WaitWatchedChanges(ControlId watched) const { return WaitPixels(watched, beforeClick_, false); }
    // The action of a click: the result line shown, files copied, one layout registered.
    void ExpectInstalled(const ImeEdition& edition);
    void ExpectMenuInFront() const;

    static const MenuItem& ItemOf(ControlId normalPicture);

    robot::Process setup_;
    HWND menu_ = nullptr;
    Scene scene_;  // the design at rest
    std::vector<COLORREF> restHighlight_, beforeClick_;
    std::vector<robot::KeyboardLayout> layoutsBefore_;
};

}  // namespace lcime::e2e
