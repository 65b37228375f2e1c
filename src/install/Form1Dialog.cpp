// The notice dialog: an empty dialog template from the resources, filled with controls at their
// design places in twips at the dialog's pixel density, centred on the screen, its text boxes
// read-only for the keyboard. Moved to a monitor of another density it is laid out again there.
#include "install/Form1Dialog.h"

#include <imm.h>

#include <utility>
#include <vector>

#include "install/Form1.h"
#include "platform/Twips.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Picture.h"
#include "platform/win32/Text.h"
#include "resource.h"

namespace lcime::win32 {
namespace {

constexpr Form1Control kTexts[] = {Form1Control::Text1_0, Form1Control::Text1_1, Form1Control::Text1_2};

struct Form1State {
    HINSTANCE instance = nullptr;
    std::vector<HWND> disabled;  // the program's windows that the dialog keeps from input
    WNDPROC editProc = nullptr;
    int dpi = kDesignDpi;
    Picture feature;            // for the dialog's density
    int fontDpi = kDesignDpi;   // the density of the dialog manager's font
    UniqueFont movedFont;       // that font at a density the dialog has moved to
    UniqueFont textFont;        // a smaller one for the text boxes where theirs would cut a text off
};

Form1State* StateOf(HWND dialog) {
    return reinterpret_cast<Form1State*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// Text box keyboard filter in front of the edit control's own procedure.
LRESULT CALLBACK Text1Proc(HWND edit, UINT msg, WPARAM wp, LPARAM lp) {
    Form1State* state = StateOf(GetParent(edit));
    const auto index = static_cast<int16_t>(GetDlgCtrlID(edit) - Form1ControlId(Form1Control::Text1_0));
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

HWND AddControl(HWND dialog, Form1Control control, const wchar_t* cls, std::string_view text, DWORD style) {
    return CreateWindowExW(0, cls, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
                           dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(Form1ControlId(control))), nullptr,
                           nullptr);
}

// At a density other than the design's the system's font need not grow in proportion with the
// boxes: the text boxes then take the largest smaller size of it at which every text is whole.
void FitTexts(HWND dialog, HFONT font) {
    Form1State* state = StateOf(dialog);
    LOGFONTW smaller;
    GetObjectW(font, sizeof(smaller), &smaller);
    UniqueDc dc(CreateCompatibleDC(nullptr));
    auto allFit = [&] {
        for (int i = 0; i < 3; ++i) {
            HWND box = GetDlgItem(dialog, Form1ControlId(kTexts[i]));
            const std::wstring text = Wide(kText1[i]);
            RECT room = {};
            SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
            SelectIn select(dc.get(), reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
            SIZE size = {};
            GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
            if (size.cx > room.right - room.left) return false;
        }
        return true;
    };
    while (!allFit() && smaller.lfHeight < -1) {
        ++smaller.lfHeight;  // a negative height: one pixel smaller
        UniqueFont next(CreateFontIndirectW(&smaller));
        for (Form1Control text : kTexts)
            SendMessageW(GetDlgItem(dialog, Form1ControlId(text)), WM_SETFONT, reinterpret_cast<WPARAM>(next.get()), TRUE);
        state->textFont = std::move(next);  // the one the boxes used goes only once none uses it
    }
}

// The dialog's client area and every control at their twips at `dpi`, in the dialog font there.
void LayOut(HWND dialog, int dpi) {
    Form1State* state = StateOf(dialog);
    state->dpi = dpi;
    state->feature = Picture::ForDpi(state->instance, IDR_FEATURE, dpi);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    UniqueFont moved;  // replaces the one of an earlier move once the controls have let it go
    if (dpi != state->fontDpi) {
        LOGFONTW scaled;
        GetObjectW(font, sizeof(scaled), &scaled);
        scaled.lfHeight = MulDiv(scaled.lfHeight, dpi, state->fontDpi);
        moved.reset(CreateFontIndirectW(&scaled));
        font = moved.get();
    }
    const SIZE frame = FrameSize({ToPixels(kForm1ClientWidth, dpi), ToPixels(kForm1ClientHeight, dpi)},
                                 GetWindowLongW(dialog, GWL_STYLE), GetWindowLongW(dialog, GWL_EXSTYLE), dpi);
    SetWindowPos(dialog, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const Form1Design& design : kForm1Controls) {
        const TwipRect place = ClientPlace(design.control);
        HWND control = GetDlgItem(dialog, Form1ControlId(design.control));
        SetWindowPos(control, nullptr, ToPixels(place.left, dpi), ToPixels(place.top, dpi), ToPixels(place.width, dpi),
                     ToPixels(place.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    state->movedFont = std::move(moved);
    if (dpi != kDesignDpi) FitTexts(dialog, font);
}

// Form_Load: centre by the outer size, in twips, in floating point, not clamped to the screen.
void Form_Load(HWND dialog) {
    const int dpi = StateOf(dialog)->dpi;
    auto twips = [dpi](int pixels) { return static_cast<float>(ToTwips(pixels, dpi)); };
    RECT outer;
    GetWindowRect(dialog, &outer);
    const float left = CentredPosition(twips(outer.right - outer.left), twips(GetSystemMetrics(SM_CXSCREEN)));
    const float top = CentredPosition(twips(outer.bottom - outer.top), twips(GetSystemMetrics(SM_CYSCREEN)));
    SetWindowPos(dialog, nullptr, ToPixels(left, dpi), ToPixels(top, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnInitDialog(HWND dialog, Form1State* state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    SetWindowTextW(dialog, Wide(kForm1Caption).c_str());
    KeepDialogLayoutOnDpiChange(dialog);

    // Creation order is the stacking order: the button first, then the text boxes with the
    // lower index on top where they overlap, the frames at the bottom.
    HWND ok = AddControl(dialog, Form1Control::Command1, L"BUTTON", kCommand1Caption, WS_TABSTOP | BS_PUSHBUTTON);
    for (int i = 0; i < 3; ++i) {
        HWND edit = AddControl(dialog, kTexts[i], L"EDIT", kText1[i], ES_LEFT | ES_AUTOHSCROLL);
        state->editProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Text1Proc)));
        ImmAssociateContext(edit, nullptr);
    }
    AddControl(dialog, Form1Control::Image1, L"STATIC", {}, SS_OWNERDRAW);
    AddControl(dialog, Form1Control::Frame1, L"BUTTON", kFrame1Caption, BS_GROUPBOX);
    AddControl(dialog, Form1Control::Frame2, L"BUTTON", kFrame2Caption, BS_GROUPBOX);

    // The dialog manager made the template's font for the density the dialog opened at.
    state->fontDpi = WindowDpi(dialog);
    LayOut(dialog, state->fontDpi);
    Form_Load(dialog);
    SetFocus(ok);
}

// The feature picture over the dialog face, which shows through its transparent pixels.
void OnDrawItem(HWND dialog, const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    StateOf(dialog)->feature.Draw(item.hDC, item.rcItem.left, item.rcItem.top);
}

// Moved to a monitor of another density: laid out there, in the rectangle the system suggests.
void OnDpiChanged(HWND dialog, int dpi, const RECT& suggested) {
    LayOut(dialog, dpi);
    SetWindowPos(dialog, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(dialog, nullptr, TRUE);
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
        if (wp == static_cast<WPARAM>(Form1ControlId(Form1Control::Image1)))
            OnDrawItem(dialog, *reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
    case kWmDpiChanged:
        OnDpiChanged(dialog, HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return TRUE;
    case WM_COMMAND:
        // Command1_Click unloads the dialog. Enter arrives as IDOK: it presses the button only
        // while the button has the focus. Escape (IDCANCEL) does nothing: there is no cancel
        // button.
        if ((LOWORD(wp) == Form1ControlId(Form1Control::Command1) && HIWORD(wp) == BN_CLICKED) ||
            (LOWORD(wp) == IDOK && GetFocus() == GetDlgItem(dialog, Form1ControlId(Form1Control::Command1)))) {
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
    Form1State state;
    state.instance = instance;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&state.disabled));
    for (HWND hwnd : state.disabled) EnableWindow(hwnd, FALSE);

    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_FORM1), owner, Form1Proc, reinterpret_cast<LPARAM>(&state));

    // Should the dialog end without being unloaded by its own handlers.
    for (HWND hwnd : state.disabled) EnableWindow(hwnd, TRUE);
}

}  // namespace lcime::win32
