// Pictures carried in the executable's resources (JPEG, GIF), decoded in the process and drawn
// from the decoded rows with plain GDI; a monochrome mask keeps transparent pixels see-through.
// No system imaging component is involved, so pictures show wherever GDI does.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/win32/Handles.h"

namespace lcime::win32 {

class Picture {
public:
    // Decodes the RCDATA resource `id` of the module; an empty picture when that fails.
    static Picture FromResource(HINSTANCE module, int id);

    bool empty() const { return !rows_; }
    int width() const { return header_.biWidth; }
    int height() const { return -header_.biHeight; }

    // Draws the picture at its natural size; transparent pixels leave the target as it was.
    void Draw(HDC target, int x, int y) const;

private:
    struct RowsFree {
        void operator()(unsigned char* rows) const;
    };

    // The decoder's own buffer, turned in place into top-down DIB rows (BGR or BGRX), so that
    // start-up touches no second copy; transparent pixels black, so that OR-ing them changes nothing.
    std::unique_ptr<unsigned char, RowsFree> rows_;
    BITMAPINFOHEADER header_ = {};
    UniqueBitmap mask_;  // set where transparent; none for an opaque picture
};

}  // namespace lcime::win32
