// A Cairo drawing surface with Pango text, set up so that the same drawing
// gives the same pixels on every run: fixed 96 dpi, fixed font options,
// fonts chosen by family name. A canvas of scale 2 draws the same picture at
// twice its size: coordinates stay in the pixels of the design size.
#pragma once

#include "image.h"

#include <string>

#include <cairo.h>
#include <pango/pangocairo.h>

namespace artwork {

struct Font {
    const char* family;
    double pixels;  // em size in pixels
    PangoWeight weight = PANGO_WEIGHT_NORMAL;
};

// Font families used by the pictures: the Song face, whose hand-made bitmaps
// are clean at the design sizes, a Song face clean at twice those sizes, and
// the bold face of the banner.
extern const char* const kSongFamily;
extern const char* const kSongFamilyLarge;
extern const char* const kBoldFamily;

struct Rect {
    double x, y, width, height;
};

class Canvas {
public:
    // `crisp` draws text without anti-aliasing and with full hinting, for
    // pictures that keep only two colours; Cairo then takes a face's embedded
    // bitmaps at the sizes that have them.
    Canvas(int width, int height, bool crisp = false, int scale = 1);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int scale() const { return scale_; }
    // The Song face for this canvas's scale.
    const char* songFamily() const { return scale_ == 1 ? kSongFamily : kSongFamilyLarge; }
    // A coordinate rounded to a whole device pixel.
    double snap(double v) const;

    // A layout for `text` in `font`, owned by the caller (g_object_unref).
    PangoLayout* layout(const std::string& text, const Font& font) const;

    RgbaImage image() const;

private:
    int width_, height_, scale_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
    PangoContext* pango_;
};

// Pixel extents of a layout: ink (what is painted) and logical (advance box).
Rect inkExtents(PangoLayout* layout);
Rect logicalExtents(PangoLayout* layout);

void setColour(cairo_t* cr, Rgb c, double alpha = 1.0);

// Colour arithmetic for shading: `t` = 0 gives `a`, 1 gives `b`.
Rgb mix(Rgb a, Rgb b, double t);

// Adds a gradient stop in an Rgb colour.
void addStop(cairo_pattern_t* pattern, double offset, Rgb c, double alpha = 1.0);

// Path of a bar with fully rounded ends.
void capsulePath(cairo_t* cr, double x, double y, double width, double height);

}  // namespace artwork
