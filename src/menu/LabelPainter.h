// Drawing of the menu window's label controls with GDI: their fonts (the design face or an
// installed stand-in) at their point sizes at the window's density, and the smaller size a
// one-line caption takes when it is too wide.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>

#include "menu/Scene.h"
#include "platform/win32/Handles.h"

namespace lcime::win32 {

class LabelPainter {
public:
    // The pixel height of the font in which `caption` is drawn in a box `box` wide and high at
    // `dpi`: the design size, or for a one-line box the largest smaller size at which it fits.
    int FittingHeight(HDC dc, FontId font, const std::wstring& caption, const PixelRect& box, int dpi);

    // Transparent, in the button-text colour, wrapped at the box and cut off at its edges.
    void Paint(HDC dc, FontId font, const std::wstring& caption, const PixelRect& box, int dpi);

    HFONT FontFor(FontId font, int heightPixels);
    static int DesignHeight(FontId font, int dpi);

private:
    const wchar_t* FaceOf(FontId font);

    std::map<std::pair<FontId, int>, UniqueFont> fonts_;  // by font and pixel height
    std::map<FontId, const wchar_t*> faces_;              // the face chosen for each font
};

}  // namespace lcime::win32
