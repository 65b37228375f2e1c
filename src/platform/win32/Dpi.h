// Pixel densities of windows, through the functions of later Windows versions where the system
// has them (looked up at run time, so that the program still loads on Windows XP) and the
// system-wide density otherwise.
#pragma once

#include <windows.h>

namespace lcime::win32 {

// Messages of Windows 8.1 and 10 that the headers for Windows XP leave out.
constexpr UINT kWmDpiChanged = 0x02E0;        // WM_DPICHANGED
constexpr UINT kWmGetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE

// The density of the screen as a whole.
int SystemDpi();

// The density the system draws the window at: its monitor's where the program is aware of each
// monitor's density (Windows 10), the system's otherwise.
int WindowDpi(HWND window);

// The outer size of a window of this style whose client area is `client` pixels at `dpi`.
SIZE FrameSize(SIZE client, DWORD style, DWORD exStyle, int dpi);

// Where the system has it, stops the dialog manager from scaling the dialog itself when its
// density changes: its window procedure lays it out again instead.
void KeepDialogLayoutOnDpiChange(HWND dialog);

}  // namespace lcime::win32
