// Pictures carried in the executable's resources (JPEG, GIF, PNG), decoded in the process and
// drawn with plain GDI. At the design's density a picture is drawn from its decoded rows as they
// are, a monochrome mask keeping transparent pixels see-through. At any other density the
// picture's twice-size form is resampled once to its size there and drawn with its smoothed edges
// blended. No system imaging component is involved, so pictures show wherever GDI does.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/win32/Handles.h"

namespace lcime::win32 {

// Resource type of the twice-size pictures, under the identifiers of the pictures they redraw.
constexpr wchar_t kTwiceSizeType[] = L"TWICE";

class Picture {
public:
    // Decodes the RCDATA resource `id` of the module; an empty picture when that fails.
    static Picture FromResource(HINSTANCE module, int id);

    // Picture `id` for a display of `dpi` pixels per inch: at 96 the resource itself; otherwise
    // its twice-size form, reduced with an area filter or enlarged with a cubic one to the size
    // its design size in twips has at `dpi`.
    static Picture ForDpi(HINSTANCE module, int id, int dpi);

    bool empty() const { return !rows_ && !bitmap_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Draws the picture at its size; transparent pixels leave the target as it was.
    void Draw(HDC target, int x, int y) const;

private:
    struct RowsFree {
        void operator()(unsigned char* rows) const;
    };

    int width_ = 0, height_ = 0;
    // At the design's density: the decoder's own buffer, turned in place into top-down DIB rows
    // (BGR or BGRX), so that start-up touches no second copy; transparent pixels black, so that
    // OR-ing them changes nothing.
    std::unique_ptr<unsigned char, RowsFree> rows_;
    BITMAPINFOHEADER header_ = {};
    UniqueBitmap mask_;  // set where transparent; none for an opaque picture
    // Resampled: 32-bit rows with premultiplied alpha, blended unless every pixel is opaque.
    UniqueBitmap bitmap_;
    bool blend_ = false;
};

}  // namespace lcime::win32
