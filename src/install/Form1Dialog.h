// The support-package notice as a modal Win32 dialog.
#pragma once

#include <windows.h>

namespace lcime::win32 {

// Builds the dialog afresh from its design values, shows it modally, owned by the menu window
// so that it stays above it and comes back with it, while every other window of the thread is
// disabled, and returns when it has been closed.
void ShowForm1(HINSTANCE instance, HWND owner);

}  // namespace lcime::win32
