// The menu window on Win32: creates the window, paints the scene double-buffered at the
// window's pixel density and feeds it the mouse.
#pragma once

#include <windows.h>

#include <map>

#include "menu/Form2.h"
#include "menu/LabelPainter.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Picture.h"
#include "platform/win32/Win32Platform.h"

namespace lcime::win32 {

constexpr wchar_t kForm2Class[] = L"LCImeForm2";

class Form2Window {
public:
    Form2Window(HINSTANCE instance, Win32Platform& platform, Form2& form);

    // Runs Form_Load, then creates and shows the window centred on the screen. False when the
    // start-up ended the program or the window could not be created.
    bool Create(int show);
    HWND hwnd() const { return hwnd_; }

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

    void OnCreate();
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnPaint();
    void OnMouseMove(int x, int y);
    void OnLButtonDown(int x, int y);
    void OnLButtonUp(int x, int y);
    void OnDestroy();

    SIZE FrameSizeAt(int dpi) const;
    void LoadPictures();
    const Picture& PictureOf(int resource);
    void PaintScene(HDC dc, const RECT& area);
    void PaintLabel(HDC dc, ControlId id);

    HINSTANCE instance_;
    Win32Platform& platform_;
    Form2& form_;
    HWND hwnd_ = nullptr;
    Picture background_;
    std::map<int, Picture> pictures_;  // by resource identifier, for the scene's density
    LabelPainter labels_;
    UniqueIcon icon_, smallIcon_;
};

}  // namespace lcime::win32
