// Density look-ups: GetDpiForWindow and AdjustWindowRectExForDpi from Windows 10 version 1607,
// SetDialogDpiChangeBehavior from version 1703; the screen's density before that.
#include "platform/win32/Dpi.h"

#include "platform/win32/Handles.h"

namespace lcime::win32 {
namespace {

template <typename Function>
Function User32(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

int SystemDpi() {
    const UniqueDc screen(CreateCompatibleDC(nullptr));  // a memory context reports the screen's density
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

int WindowDpi(HWND window) {
    static const auto forWindow = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const int dpi = forWindow ? static_cast<int>(forWindow(window)) : 0;
    return dpi > 0 ? dpi : SystemDpi();
}

SIZE FrameSize(SIZE client, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjustForDpi = User32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT frame = {0, 0, client.cx, client.cy};
    // Without per-monitor awareness every window is at the system's density, which the older
    // call measures the frame at.
    if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void KeepDialogLayoutOnDpiChange(HWND dialog) {
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    static const auto setBehavior = User32<BOOL(WINAPI*)(HWND, int, int)>("SetDialogDpiChangeBehavior");
    if (setBehavior) setBehavior(dialog, kDisableAll, kDisableAll);
}

}  // namespace lcime::win32
