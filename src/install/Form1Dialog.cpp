// The notice dialog: an empty dialog template from the resources, filled with controls at
// their exact design pixels, centred on the screen, its text boxes read-only for the keyboard.
#include "install/Form1Dialog.h"

#include <imm.h>

#include <cmath>
#include <vector>

#include "install/Form1.h"
#include "menu/Scene.h"
#include "platform/win32/Picture.h"
#include "platform/win32/Text.h"
#include "resource.h"

namespace lcime::win32 {
namespace {

constexpr int kText1Id = 1100;  // + index
constexpr int kFrame1Id = 1110;
constexpr int kFrame2Id = 1111;
constexpr int kImage1Id = 1112;
constexpr int kCommand1Id = 1113;

int Pixels(float twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

struct Form1State {
    HINSTANCE instance;
    Picture feature;
    std::vector<HWND> disabled;  // the program's windows that the dialog keeps from input
    WNDPROC editProc = nullptr;
};

Form1State* StateOf(HWND dialog) {
    return reinterpret_cast<Form1State*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// Text box keyboard filter in front of the edit control's own procedure.
LRESULT CALLBACK Text1Proc(HWND edit, UINT msg, WPARAM wp, LPARAM lp) {
    Form1State* state = StateOf(GetParent(edit));
    const auto index = static_cast<int16_t>(GetDlgCtrlID(edit) - kText1Id);
    switch (msg) {
    case WM_KEYDOWN:
        if (Text1_KeyDown(index, static_cast<int16_t>(wp), 0) == 0) return 0;
        break;
    case WM_CHAR:
        if (Text1_KeyPress(index, static_cast<int16_t>(wp)) == 0) return 0;
        break;
    // The boxes have no input context, so an input method should not compose for them; should
    // one still deliver text, it must not reach the edit control either.
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION:
    case WM_IME_CHAR:
        return 0;
    // The context menu's editing commands would change the text as well.
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
        return 0;
    }
    return CallWindowProcW(state->editProc, edit, msg, wp, lp);
}

HWND AddControl(HWND dialog, Form1Control control, const wchar_t* cls, std::string_view text, DWORD style,
                int id) {
    const TwipRect place = ClientPlace(control);
    HWND hwnd = CreateWindowExW(0, cls, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                                Pixels(place.left), Pixels(place.top), Pixels(place.width), Pixels(place.height),
                                dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(hwnd, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    return hwnd;
}

// Form_Load: centre by the outer size, in twips, in floating point, not clamped to the screen.
void Form_Load(HWND dialog) {
    RECT outer;
    GetWindowRect(dialog, &outer);
    const float width = float(outer.right - outer.left) * kTwipsPerPixel;
    const float height = float(outer.bottom - outer.top) * kTwipsPerPixel;
    const float left = CentredPosition(width, float(GetSystemMetrics(SM_CXSCREEN)) * kTwipsPerPixel);
    const float top = CentredPosition(height, float(GetSystemMetrics(SM_CYSCREEN)) * kTwipsPerPixel);
    SetWindowPos(dialog, nullptr, Pixels(left), Pixels(top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnInitDialog(HWND dialog, Form1State* state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    SetWindowTextW(dialog, Wide(kForm1Caption).c_str());

    // The template's size is in dialog units; the design's client size is in pixels.
    RECT frame = {0, 0, Pixels(kForm1ClientWidth), Pixels(kForm1ClientHeight)};
    AdjustWindowRectEx(&frame, GetWindowLongW(dialog, GWL_STYLE), FALSE, GetWindowLongW(dialog, GWL_EXSTYLE));
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    // Creation order is the stacking order: the button first, then the text boxes with the
    // lower index on top where they overlap, the frames at the bottom.
    HWND ok = AddControl(dialog, Form1Control::Command1, L"BUTTON", kCommand1Caption,
                         WS_TABSTOP | BS_PUSHBUTTON, kCommand1Id);
    constexpr Form1Control kTexts[] = {Form1Control::Text1_0, Form1Control::Text1_1, Form1Control::Text1_2};
    for (int i = 0; i < 3; ++i) {
        HWND edit = AddControl(dialog, kTexts[i], L"EDIT", kText1[i], ES_LEFT | ES_AUTOHSCROLL, kText1Id + i);
        state->editProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Text1Proc)));
        ImmAssociateContext(edit, nullptr);
    }
    AddControl(dialog, Form1Control::Image1, L"STATIC", {}, SS_OWNERDRAW, kImage1Id);
    AddControl(dialog, Form1Control::Frame1, L"BUTTON", kFrame1Caption, BS_GROUPBOX, kFrame1Id);
    AddControl(dialog, Form1Control::Frame2, L"BUTTON", kFrame2Caption, BS_GROUPBOX, kFrame2Id);

    Form_Load(dialog);
    SetFocus(ok);
}

// The feature picture over the dialog face, which shows through its transparent pixels.
void OnDrawItem(HWND dialog, const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    StateOf(dialog)->feature.Draw(item.hDC, item.rcItem.left, item.rcItem.top);
}

// Unloads the dialog. The program's windows take input again before it is destroyed, so that
// the system activates the menu window rather than another program's.
void Unload(HWND dialog) {
    for (HWND hwnd : StateOf(dialog)->disabled) EnableWindow(hwnd, TRUE);
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK Form1Proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG:
        OnInitDialog(dialog, reinterpret_cast<Form1State*>(lp));
        return FALSE;  // the focus is set already
    case WM_CTLCOLOREDIT:
        // The text boxes sit on the menu background colour.
        SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_MENU));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_MENU));
    case WM_DRAWITEM:
        if (wp == kImage1Id) OnDrawItem(dialog, *reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
    case WM_COMMAND:
        // Command1_Click unloads the dialog. Enter arrives as IDOK: it presses the button only
        // while the button has the focus. Escape (IDCANCEL) does nothing: there is no cancel
        // button.
        if ((LOWORD(wp) == kCommand1Id && HIWORD(wp) == BN_CLICKED) ||
            (LOWORD(wp) == IDOK && GetFocus() == GetDlgItem(dialog, kCommand1Id))) {
            Unload(dialog);
        }
        return TRUE;
    case WM_CLOSE:
        // The close box and Alt+F4 unload it exactly as the button does.
        Unload(dialog);
        return TRUE;
    }
    return FALSE;
}

BOOL CALLBACK CollectEnabled(HWND hwnd, LPARAM list) {
    if (IsWindowEnabled(hwnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

}  // namespace

void ShowForm1(HINSTANCE instance, HWND owner) {
    // Modal: the thread's other windows take no input until it closes.
    Form1State state{instance, Picture::FromResource(instance, IDR_FEATURE), {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&state.disabled));
    for (HWND hwnd : state.disabled) EnableWindow(hwnd, FALSE);

    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_FORM1), owner, Form1Proc, reinterpret_cast<LPARAM>(&state));

    // Should the dialog end without being unloaded by its own handlers.
    for (HWND hwnd : state.disabled) EnableWindow(hwnd, TRUE);
}

}  // namespace lcime::win32
