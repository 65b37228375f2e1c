// The award photograph: a framed certificate on a pale cloth with two red
// roses on long stems across its upper left corner.
#include "pictures.h"

#include "canvas.h"

#include <cmath>

namespace artwork {

namespace {

void cloth(cairo_t* cr, int w, int h) {
    setColour(cr, {233, 226, 213});
    cairo_paint(cr);
    // Soft folds: broad bands of light and shade running diagonally.
    cairo_pattern_t* folds = cairo_pattern_create_linear(0, 0, w, h * 0.6);
    const double stops[][2] = {{0.00, 0.10}, {0.14, -0.08}, {0.27, 0.12}, {0.40, -0.05}, {0.55, 0.09},
                               {0.70, -0.10}, {0.84, 0.07}, {1.00, -0.06}};
    for (const auto& s : stops)
        addStop(folds, s[0], s[1] > 0 ? Rgb{255, 255, 250} : Rgb{120, 100, 80}, std::fabs(s[1]));
    cairo_set_source(cr, folds);
    cairo_paint(cr);
    cairo_pattern_destroy(folds);
    // Weave.
    cairo_set_line_width(cr, 1);
    for (int y = 0; y < h; y += 2) {
        cairo_move_to(cr, 0, y + 0.5);
        cairo_line_to(cr, w, y + 0.5);
    }
    setColour(cr, {150, 130, 105}, 0.07);
    cairo_stroke(cr);
    for (int x = 1; x < w; x += 2) {
        cairo_move_to(cr, x + 0.5, 0);
        cairo_line_to(cr, x + 0.5, h);
    }
    setColour(cr, {255, 255, 255}, 0.09);
    cairo_stroke(cr);
}

// Certificate in its frame, drawn around the origin.
void certificate(cairo_t* cr, double fw, double fh, const Canvas& canvas) {
    // Shadow on the cloth, soft-edged by stacking widening translucent rectangles.
    for (int i = 6; i >= 0; --i) {
        cairo_rectangle(cr, -fw / 2 + 3 - i, -fh / 2 + 4 - i, fw + 2 * i, fh + 2 * i);
        setColour(cr, {70, 50, 30}, 0.05);
        cairo_fill(cr);
    }

    // Frame: four mitred mouldings, lit from the upper left.
    const double b = 9, x0 = -fw / 2, y0 = -fh / 2, x1 = fw / 2, y1 = fh / 2;
    auto moulding = [&](double ax, double ay, double bx, double by, double cx, double cy, double dx, double dy,
                        Rgb outer, Rgb inner) {
        cairo_move_to(cr, ax, ay);
        cairo_line_to(cr, bx, by);
        cairo_line_to(cr, cx, cy);
        cairo_line_to(cr, dx, dy);
        cairo_close_path(cr);
        cairo_pattern_t* p = cairo_pattern_create_linear((ax + bx) / 2, (ay + by) / 2, (cx + dx) / 2, (cy + dy) / 2);
        addStop(p, 0.0, outer);
        addStop(p, 0.45, mix(outer, inner, 0.7));
        addStop(p, 1.0, inner);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    };
    moulding(x0, y0, x1, y0, x1 - b, y0 + b, x0 + b, y0 + b, {150, 78, 40}, {96, 40, 20});
    moulding(x0, y0, x0 + b, y0 + b, x0 + b, y1 - b, x0, y1, {138, 70, 36}, {90, 36, 18});
    moulding(x0, y1, x0 + b, y1 - b, x1 - b, y1 - b, x1, y1, {70, 28, 12}, {110, 50, 26});
    moulding(x1, y0, x1, y1, x1 - b, y1 - b, x1 - b, y0 + b, {66, 26, 12}, {104, 46, 24});
    cairo_rectangle(cr, x0 + 0.5, y0 + 0.5, fw - 1, fh - 1);
    cairo_set_line_width(cr, 1);
    setColour(cr, {50, 20, 8});
    cairo_stroke(cr);
    // Gilded fillet inside the moulding.
    cairo_rectangle(cr, x0 + b - 1, y0 + b - 1, fw - 2 * b + 2, fh - 2 * b + 2);
    cairo_set_line_width(cr, 2);
    setColour(cr, {214, 176, 84});
    cairo_stroke(cr);

    // Paper.
    const double px = x0 + b, py = y0 + b, pw = fw - 2 * b, ph = fh - 2 * b;
    cairo_pattern_t* paper = cairo_pattern_create_linear(px, py, px + pw, py + ph);
    addStop(paper, 0, {253, 250, 238});
    addStop(paper, 1, {240, 232, 212});
    cairo_rectangle(cr, px, py, pw, ph);
    cairo_set_source(cr, paper);
    cairo_fill(cr);
    cairo_rectangle(cr, px, py, pw, ph);
    cairo_set_line_width(cr, 1.5);
    setColour(cr, {150, 120, 80}, 0.5);
    cairo_stroke(cr);

    // Ornamental border: a broad red line and a thin gold one inside it.
    const Rgb red{190, 30, 30}, gold{200, 160, 60};
    cairo_rectangle(cr, px + 4, py + 4, pw - 8, ph - 8);
    cairo_set_line_width(cr, 1.8);
    setColour(cr, red);
    cairo_stroke(cr);
    cairo_rectangle(cr, px + 6.5, py + 6.5, pw - 13, ph - 13);
    cairo_set_line_width(cr, 0.8);
    setColour(cr, gold);
    cairo_stroke(cr);
    for (int corner = 0; corner < 4; ++corner) {
        const double cx = corner % 2 ? px + pw - 6.5 : px + 6.5, cy = corner / 2 ? py + ph - 6.5 : py + 6.5;
        cairo_arc(cr, cx, cy, 2.2, 0, 2 * M_PI);
        setColour(cr, red);
        cairo_fill(cr);
    }

    // Title.
    PangoLayout* title = canvas.layout("荣誉证书", {canvas.songFamily(), 13, PANGO_WEIGHT_BOLD});
    pango_layout_set_spacing(title, 0);
    PangoAttrList* attrs = pango_attr_list_new();
    pango_attr_list_insert(attrs, pango_attr_letter_spacing_new(4 * PANGO_SCALE));
    pango_layout_set_attributes(title, attrs);
    pango_attr_list_unref(attrs);
    const Rect t = logicalExtents(title);
    cairo_move_to(cr, -t.width / 2 + 2, py + 11);
    setColour(cr, red);
    pango_cairo_show_layout(cr, title);
    g_object_unref(title);

    // Lines of small writing, then the signature line and a round red seal.
    cairo_set_line_width(cr, 1.1);
    const double lines[][3] = {{-44, -2, 26}, {-50, 50, 33}, {-50, 50, 40}, {-50, 12, 47}};
    for (const auto& l : lines) {
        for (double x = l[0]; x < l[1]; x += 4.5) {
            cairo_move_to(cr, x, py + l[2]);
            cairo_line_to(cr, std::min(x + 3.4, l[1]), py + l[2]);
        }
    }
    setColour(cr, {70, 60, 55}, 0.85);
    cairo_stroke(cr);
    cairo_move_to(cr, 14, py + ph - 12);
    cairo_line_to(cr, 48, py + ph - 12);
    cairo_move_to(cr, 18, py + ph - 17);
    cairo_line_to(cr, 44, py + ph - 17);
    setColour(cr, {70, 60, 55}, 0.7);
    cairo_stroke(cr);

    const double sx = 31, sy = py + ph - 17;
    cairo_arc(cr, sx, sy, 9, 0, 2 * M_PI);
    setColour(cr, {210, 30, 35}, 0.85);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_arc(cr, sx, sy, 6.8, 0, 2 * M_PI);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5, rr = i % 2 ? 1.6 : 4.0;
        i ? cairo_line_to(cr, sx + rr * std::cos(a), sy + rr * std::sin(a))
          : cairo_move_to(cr, sx + rr * std::cos(a), sy + rr * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_fill(cr);

    // Glass: a faint sheen across the upper left.
    cairo_pattern_t* sheen = cairo_pattern_create_linear(px, py, px + pw * 0.6, py + ph);
    addStop(sheen, 0.0, {255, 255, 255}, 0.0);
    addStop(sheen, 0.35, {255, 255, 255}, 0.22);
    addStop(sheen, 0.5, {255, 255, 255}, 0.0);
    cairo_rectangle(cr, px, py, pw, ph);
    cairo_set_source(cr, sheen);
    cairo_fill(cr);
}

void leaf(cairo_t* cr, double x, double y, double length, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.3, -length * 0.38, length * 0.75, -length * 0.3, length, 0);
    cairo_curve_to(cr, length * 0.7, length * 0.32, length * 0.3, length * 0.34, 0, 0);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, -length * 0.3, 0, length * 0.3);
    addStop(p, 0, {86, 150, 60});
    addStop(p, 1, {28, 84, 30});
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setColour(cr, {20, 60, 20});
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, length * 0.9, 0);
    setColour(cr, {150, 200, 110}, 0.8);
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// A stem from the flower head at (hx, hy) down to (tx, ty), bowed sideways by `bow`.
void stem(cairo_t* cr, double hx, double hy, double tx, double ty, double bow) {
    const double mx = (hx + tx) / 2, my = (hy + ty) / 2;
    const double nx = -(ty - hy), ny = tx - hx, n = std::hypot(nx, ny);
    const double cx = mx + nx / n * bow, cy = my + ny / n * bow;
    for (int pass = 0; pass < 2; ++pass) {
        cairo_move_to(cr, hx, hy);
        cairo_curve_to(cr, cx, cy, cx, cy, tx, ty);
        setColour(cr, pass ? Rgb{120, 180, 80} : Rgb{36, 90, 30});
        cairo_set_line_width(cr, pass ? 0.7 : 2.6);
        cairo_stroke(cr);
    }
    // Thorns along the stem.
    for (double t = 0.3; t < 0.95; t += 0.17) {
        const double u = 1 - t;
        const double px = u * u * u * hx + 3 * u * t * (u * cx + t * cx) + t * t * t * tx;
        const double py = u * u * u * hy + 3 * u * t * (u * cy + t * cy) + t * t * t * ty;
        const double side = (int(t * 10) % 2) ? 1 : -1;
        cairo_move_to(cr, px - 1.2, py);
        cairo_line_to(cr, px + side * nx / n * 3.2, py + side * ny / n * 3.2);
        cairo_line_to(cr, px + 1.2, py);
        cairo_close_path(cr);
        setColour(cr, {60, 70, 30});
        cairo_fill(cr);
    }
}

void rose(cairo_t* cr, double x, double y, double r, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    // Sepals behind the bloom.
    for (int i = 0; i < 5; ++i) leaf(cr, 0, 0, r * 1.25, M_PI / 2 + (i - 2) * 0.45);

    // Outer petals: overlapping lobes around the centre.
    const Rgb deep{120, 0, 16}, red{196, 18, 32}, bright{232, 70, 72};
    for (int ring = 0; ring < 2; ++ring) {
        const int count = ring ? 5 : 6;
        const double rr = r * (ring ? 0.78 : 1.0);
        for (int i = 0; i < count; ++i) {
            const double a = (i + ring * 0.5) * 2 * M_PI / count + 0.3;
            cairo_save(cr);
            cairo_rotate(cr, a);
            cairo_move_to(cr, 0, 0);
            cairo_curve_to(cr, rr * 0.2, -rr * 0.75, rr * 1.05, -rr * 0.55, rr, 0);
            cairo_curve_to(cr, rr * 1.05, rr * 0.55, rr * 0.2, rr * 0.75, 0, 0);
            cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, rr * 0.1, 0, 0, rr * 1.05);
            addStop(p, 0.0, deep);
            addStop(p, 0.6, ring ? bright : red);
            addStop(p, 1.0, ring ? red : bright);
            cairo_set_source(cr, p);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(p);
            setColour(cr, deep, 0.7);
            cairo_set_line_width(cr, 0.5);
            cairo_stroke(cr);
            cairo_restore(cr);
        }
    }
    // Cupped centre with a spiral of tightly furled petals.
    cairo_arc(cr, 0, 0, r * 0.48, 0, 2 * M_PI);
    cairo_pattern_t* cup = cairo_pattern_create_radial(-r * 0.15, -r * 0.15, 0, 0, 0, r * 0.5);
    addStop(cup, 0, bright);
    addStop(cup, 1, red);
    cairo_set_source(cr, cup);
    cairo_fill(cr);
    cairo_pattern_destroy(cup);
    cairo_set_line_width(cr, 0.8);
    setColour(cr, deep);
    for (double a = 0, rr = r * 0.06; rr < r * 0.46; a += 0.35, rr *= 1.09) {
        const double px = rr * std::cos(a), py = rr * std::sin(a);
        a == 0 ? cairo_move_to(cr, px, py) : cairo_line_to(cr, px, py);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace

RgbaImage drawPhoto(int scale) {
    const int w = 197, h = 148;
    Canvas canvas(w, h, false, scale);
    cairo_t* cr = canvas.cr();
    cloth(cr, w, h);

    cairo_save(cr);
    cairo_translate(cr, 112, 78);
    cairo_rotate(cr, -0.07);
    certificate(cr, 150, 106, canvas);
    cairo_restore(cr);

    // Roses lying across the frame's upper left corner, stems running down to the left.
    stem(cr, 74, 12, 2, 104, -8);
    stem(cr, 54, 34, 8, 144, 10);
    leaf(cr, 38, 52, 15, 2.2);
    leaf(cr, 44, 63, 13, 0.4);
    leaf(cr, 28, 90, 14, 1.9);
    leaf(cr, 30, 95, 12, 0.1);
    rose(cr, 54, 34, 12, 0.6);
    rose(cr, 74, 12, 11, -0.4);
    return canvas.image();
}

}  // namespace artwork
