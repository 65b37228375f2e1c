// A small window for proving the end-to-end harness: a 595 x 443 client area titled like the
// installer's menu window, the left half red, a 100 x 100 square at (50,50) that turns blue
// while the mouse is over it. Clicking the square shows a message box "测试" titled "LCIme";
// clicking the right half (outside the child controls) ends the program with exit code 0.
// Closing the window any other way ends it with exit code 3.
// Two child controls at the bottom right let the harness read controls back: a static showing
// the current directory (id 100) and an edit box with the text "abc" (id 101).

#include <windows.h>

namespace {

const int kClientW = 595, kClientH = 443;
const RECT kSquare = {50, 50, 150, 150};
const int kCwdId = 100, kEditId = 101;
bool gHover = false;
int gExitCode = 3;

bool inSquare(int x, int y) { return x >= kSquare.left && x < kSquare.right && y >= kSquare.top && y < kSquare.bottom; }

void setHover(HWND w, bool hover) {
    if (hover == gHover) return;
    gHover = hover;
    InvalidateRect(w, &kSquare, FALSE);
}

void paint(HWND w) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    RECT left = {0, 0, kClientW / 2, kClientH}, right = {kClientW / 2, 0, kClientW, kClientH};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &left, red);
    FillRect(dc, &right, (HBRUSH)GetStockObject(WHITE_BRUSH));
    if (gHover) FillRect(dc, &kSquare, blue);
    DeleteObject(red);
    DeleteObject(blue);
    EndPaint(w, &ps);
}

LRESULT CALLBACK wndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: {
        wchar_t cwd[MAX_PATH] = L"";
        GetCurrentDirectoryW(MAX_PATH, cwd);
        CreateWindowExW(0, L"STATIC", cwd, WS_CHILD | WS_VISIBLE, 310, 380, 270, 20, w,
                        (HMENU)(INT_PTR)kCwdId, nullptr, nullptr);
        CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"abc", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                        310, 405, 270, 24, w, (HMENU)(INT_PTR)kEditId, nullptr, nullptr);
        return 0;
    }
    case WM_MOUSEMOVE: {
        TRACKMOUSEEVENT t = {sizeof(t), TME_LEAVE, w, 0};
        TrackMouseEvent(&t);
        setHover(w, inSquare((short)LOWORD(lp), (short)HIWORD(lp)));
        return 0;
    }
    case WM_MOUSELEAVE:
        setHover(w, false);
        return 0;
    case WM_LBUTTONUP: {
        int x = (short)LOWORD(lp), y = (short)HIWORD(lp);
        if (inSquare(x, y)) {
            MessageBoxW(w, L"测试", L"LCIme", MB_OK);
        } else if (x >= kClientW / 2) {
            gExitCode = 0;
            DestroyWindow(w);
        }
        return 0;
    }
    case WM_PAINT:
        paint(w);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(gExitCode);
        return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, LPWSTR, int show) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = wndProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    wc.lpszClassName = L"LcTestWindow";
    RegisterClassW(&wc);
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT r = {0, 0, kClientW, kClientH};
    AdjustWindowRect(&r, style, FALSE);
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    HWND win = CreateWindowExW(0, wc.lpszClassName, L"岚辰输入法系列", style, x, y, w, h, nullptr,
                               nullptr, inst, nullptr);
    if (!win) return 4;
    ShowWindow(win, show);
    UpdateWindow(win);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return (int)m.wParam;
}
