// The menu window's Win32 side: window creation at the display's density and re-layout when it
// changes, double-buffered painting of the scene with GDI, and translation of mouse messages
// into scene events.
#include "menu/Form2Window.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win32/Dpi.h"
#include "platform/win32/Text.h"
#include "resource.h"

namespace lcime::win32 {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = 0;
constexpr LONG kBandRows = 64;  // rows composed off screen at a time

RECT ToRect(const PixelRect& r) { return {r.left, r.top, r.left + r.width, r.top + r.height}; }

}  // namespace

Form2Window::Form2Window(HINSTANCE instance, Win32Platform& platform, Form2& form)
    : instance_(instance), platform_(platform), form_(form) {}

bool Form2Window::Create(int show) {
    if (!form_.Form_Load()) return false;

    icon_.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_FORM2), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_FORM2), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance_;
    wc.hIcon = icon_.get();
    wc.hIconSm = smallIcon_.get();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kForm2Class;
    if (!RegisterClassExW(&wc)) return false;

    // Sized for the density of the screen; should the window come out on a monitor of another
    // one, its creation sizes it again.
    form_.scene().SetDpi(SystemDpi());
    const SIZE frame = FrameSizeAt(form_.scene().dpi());
    const int x = (GetSystemMetrics(SM_CXSCREEN) - frame.cx) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - frame.cy) / 2;
    const std::wstring caption = Wide(kForm2Caption);
    if (!CreateWindowExW(kExStyle, kForm2Class, caption.c_str(), kStyle, x, y, frame.cx, frame.cy, nullptr,
                         nullptr, instance_, this)) {
        return false;
    }
    // The window has a fixed size: a shortcut set to start maximized shows it normal. The
    // system may apply the starter's request to the first call whatever it says, so a
    // maximized result is restored to the centred design size.
    ShowWindow(hwnd_, show == SW_SHOWMAXIMIZED ? SW_SHOWNORMAL : show);
    if (IsZoomed(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    UpdateWindow(hwnd_);
    return true;
}

LRESULT CALLBACK Form2Window::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Form2Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form2Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->HandleMessage(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT Form2Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel
    case WM_PAINT: OnPaint(); return 0;
    case WM_MOUSEMOVE: OnMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_LBUTTONUP: OnLButtonUp(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case kWmDpiChanged: OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp)); return 0;
    case kWmGetDpiScaledSize: {
        // The frame for the client area the design gives at the new density, not a scaled copy.
        *reinterpret_cast<SIZE*>(lp) = FrameSizeAt(static_cast<int>(wp));
        return TRUE;
    }
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

SIZE Form2Window::FrameSizeAt(int dpi) const {
    const PixelRect client = Scene::ClientArea(dpi);
    return FrameSize({client.width, client.height}, kStyle, kExStyle, dpi);
}

void Form2Window::OnCreate() {
    const int dpi = WindowDpi(hwnd_);
    if (dpi != form_.scene().dpi()) {
        RECT frame;
        GetWindowRect(hwnd_, &frame);
        const SIZE size = FrameSizeAt(dpi);
        SetWindowPos(hwnd_, nullptr, (frame.left + frame.right - size.cx) / 2, (frame.top + frame.bottom - size.cy) / 2,
                     size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        form_.scene().SetDpi(dpi);
    }
    LoadPictures();
    platform_.SetOwnerWindow(hwnd_);
    form_.scene().onInvalidate = [this](const PixelRect& r) {
        const RECT rect = ToRect(r);
        InvalidateRect(hwnd_, &rect, FALSE);
    };
}

// Moved to a monitor of another density: everything measured and drawn again there, in the
// rectangle the system suggests.
void Form2Window::OnDpiChanged(int dpi, const RECT& suggested) {
    form_.scene().SetDpi(dpi);
    LoadPictures();
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The pictures shown at rest are decoded (and resampled) before the window shows, so that the
// first paint only draws; the others are decoded when first drawn.
void Form2Window::LoadPictures() {
    pictures_.clear();
    background_ = Picture::ForDpi(instance_, IDR_BACKGROUND, form_.scene().dpi());
    for (const ControlDesign& design : kInventory) {
        if (design.kind == ControlKind::Picture && form_.scene()[design.id].visible) PictureOf(design.picture);
    }
}

const Picture& Form2Window::PictureOf(int resource) {
    auto found = pictures_.find(resource);
    if (found == pictures_.end()) {
        found = pictures_.emplace(resource, Picture::ForDpi(instance_, resource, form_.scene().dpi())).first;
    }
    return found->second;
}

void Form2Window::OnPaint() {
    PAINTSTRUCT ps;
    HDC screen = BeginPaint(hwnd_, &ps);
    const RECT& area = ps.rcPaint;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width > 0 && height > 0) {
        // Everything is composed off screen, a band of rows at a time, and each band copied in
        // one go: nothing flickers, and a full paint needs only a small buffer.
        UniqueDc buffer(CreateCompatibleDC(screen));
        UniqueBitmap bitmap(CreateCompatibleBitmap(screen, width, std::min<int>(height, kBandRows)));
        SelectIn select(buffer.get(), bitmap.get());
        for (LONG top = area.top; top < area.bottom; top += kBandRows) {
            const RECT band = {area.left, top, area.right, std::min(top + kBandRows, area.bottom)};
            SetViewportOrgEx(buffer.get(), -band.left, -band.top, nullptr);
            PaintScene(buffer.get(), band);
            SetViewportOrgEx(buffer.get(), 0, 0, nullptr);
            BitBlt(screen, band.left, band.top, width, band.bottom - band.top, buffer.get(), 0, 0, SRCCOPY);
        }
    }
    EndPaint(hwnd_, &ps);
}

// The background, then every visible control from the bottom of the stacking order up.
void Form2Window::PaintScene(HDC dc, const RECT& area) {
    const Scene& scene = form_.scene();
    if (background_.empty()) {
        FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        background_.Draw(dc, 0, 0);
    }
    const PixelRect dirty{area.left, area.top, area.right - area.left, area.bottom - area.top};
    for (ControlId id : scene.PaintOrder(dirty)) {
        const ControlDesign& design = lcime::DesignOf(id);
        if (design.kind == ControlKind::Picture) {
            const PixelRect bounds = scene.Bounds(id);
            PictureOf(design.picture).Draw(dc, bounds.left, bounds.top);
        } else {
            PaintLabel(dc, id);
        }
    }
}

void Form2Window::PaintLabel(HDC dc, ControlId id) {
    const Scene& scene = form_.scene();
    labels_.Paint(dc, lcime::DesignOf(id).font, Wide(scene[id].caption), scene.Bounds(id), scene.dpi());
}

void Form2Window::OnMouseMove(int x, int y) {
    // While the button is held the pointer is captured and may be outside the client area.
    if (!form_.scene().ClientArea().Contains(x, y)) return;
    form_.MouseMove(x, y);
}

void Form2Window::OnLButtonDown(int x, int y) {
    form_.MouseDown(x, y);
    SetCapture(hwnd_);
}

void Form2Window::OnLButtonUp(int x, int y) {
    ReleaseCapture();
    form_.MouseUp(x, y);
}

void Form2Window::OnDestroy() {
    form_.scene().onInvalidate = nullptr;
    platform_.SetOwnerWindow(nullptr);
    PostQuitMessage(0);
}

}  // namespace lcime::win32
