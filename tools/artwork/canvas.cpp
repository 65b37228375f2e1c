// Cairo surface and Pango context set-up, and conversion to straight RGBA.
#include "canvas.h"

#include <cmath>
#include <stdexcept>

namespace artwork {

const char* const kSongFamily = "AR PL UMing CN";
const char* const kSongFamilyLarge = "Noto Serif CJK SC";
const char* const kBoldFamily = "Noto Sans CJK SC";

namespace {

PangoFontMap* fontMap() {
    static PangoFontMap* map = [] {
        PangoFontMap* m = pango_cairo_font_map_new();
        pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(m), 96.0);
        return m;
    }();
    return map;
}

}  // namespace

Canvas::Canvas(int width, int height, bool crisp, int scale) : width_(width), height_(height), scale_(scale) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * scale, height * scale);
    cr_ = cairo_create(surface_);
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot create Cairo surface");
    cairo_scale(cr_, scale, scale);

    pango_ = pango_font_map_create_context(fontMap());
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, crisp ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, crisp ? CAIRO_HINT_STYLE_FULL : CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, crisp ? CAIRO_HINT_METRICS_ON : CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    pango_cairo_context_set_font_options(pango_, options);
    cairo_font_options_destroy(options);
    pango_cairo_context_set_resolution(pango_, 96.0);
    pango_context_set_language(pango_, pango_language_from_string("zh-cn"));
}

Canvas::~Canvas() {
    g_object_unref(pango_);
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

PangoLayout* Canvas::layout(const std::string& text, const Font& font) const {
    pango_cairo_update_context(cr_, pango_);
    PangoLayout* layout = pango_layout_new(pango_);
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, font.family);
    pango_font_description_set_absolute_size(desc, font.pixels * PANGO_SCALE);
    pango_font_description_set_weight(desc, font.weight);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    pango_layout_set_text(layout, text.c_str(), -1);
    if (font.family == kSongFamilyLarge) {
        // Latin letters and digits half as wide as the characters, as in the smaller face.
        PangoAttrList* attrs = pango_attr_list_new();
        pango_attr_list_insert(attrs, pango_attr_font_features_new("hwid"));
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    return layout;
}

double Canvas::snap(double v) const { return std::round(v * scale_) / scale_; }

RgbaImage Canvas::image() const {
    cairo_surface_flush(surface_);
    RgbaImage out(width_ * scale_, height_ * scale_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < out.height; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < out.width; ++x) {
            uint32_t v = row[x];  // premultiplied, native-endian ARGB
            unsigned a = v >> 24;
            auto un = [a](unsigned c) { return a ? uint8_t((c * 255 + a / 2) / a) : uint8_t(0); };
            out.at(x, y) = {un((v >> 16) & 0xff), un((v >> 8) & 0xff), un(v & 0xff), uint8_t(a)};
        }
    }
    return out;
}

Rect inkExtents(PangoLayout* layout) {
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout, &ink, &logical);
    auto s = [](int v) { return double(v) / PANGO_SCALE; };
    return {s(ink.x), s(ink.y), s(ink.width), s(ink.height)};
}

Rect logicalExtents(PangoLayout* layout) {
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout, &ink, &logical);
    auto s = [](int v) { return double(v) / PANGO_SCALE; };
    return {s(logical.x), s(logical.y), s(logical.width), s(logical.height)};
}

void setColour(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

Rgb mix(Rgb a, Rgb b, double t) {
    auto m = [t](uint8_t x, uint8_t y) { return uint8_t(std::lround(x + (y - x) * t)); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

void addStop(cairo_pattern_t* pattern, double offset, Rgb c, double alpha) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

void capsulePath(cairo_t* cr, double x, double y, double width, double height) {
    const double r = height / 2;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - r, y + r, r, -M_PI / 2, M_PI / 2);
    cairo_arc(cr, x + r, y + r, r, M_PI / 2, 3 * M_PI / 2);
    cairo_close_path(cr);
}

}  // namespace artwork
