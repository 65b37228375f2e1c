// Background, menu items, previews, feature list, banner and icon.
#include "pictures.h"

#include "canvas.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace artwork {

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

// Small fixed-seed generator, so the brushed streaks come out the same every run.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next() {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    double uniform(double lo, double hi) { return lo + (hi - lo) * double(next() >> 11) / double(1ull << 53); }

private:
    uint64_t state_;
};

Rgb darker(Rgb c, double f) { return mix(c, kBlack, f); }
Rgb lighter(Rgb c, double f) { return mix(c, kWhite, f); }

// Distance from a layout's top to its first baseline.
double ascent(PangoLayout* layout) { return double(pango_layout_get_baseline(layout)) / PANGO_SCALE; }

// Shows the first line of `layout` with its baseline at (x, baseline).
void showLine(cairo_t* cr, PangoLayout* layout, double x, double baseline) {
    cairo_move_to(cr, x, baseline);
    pango_cairo_show_layout_line(cr, pango_layout_get_line_readonly(layout, 0));
}

// The texts of the lines `layout` breaks its text into.
std::vector<std::string> lineTexts(PangoLayout* layout) {
    const std::string text = pango_layout_get_text(layout);
    std::vector<std::string> lines;
    for (GSList* l = pango_layout_get_lines_readonly(layout); l; l = l->next) {
        const auto* line = static_cast<const PangoLayoutLine*>(l->data);
        lines.push_back(text.substr(size_t(line->start_index), size_t(line->length)));
    }
    return lines;
}

// An unbreakable piece of a paragraph: one Chinese character or punctuation
// mark, one space, or a run of Latin letters and digits ("Windows", "6.6").
struct Piece {
    std::string text;
    bool space = false;
    bool noLineStart = false;  // closing punctuation
    bool noLineEnd = false;    // opening punctuation
    int width = 0;
};

std::vector<Piece> splitPieces(const std::string& paragraph) {
    static const std::u32string closing = U"，。、；：？！）》」』”’…";
    static const std::u32string opening = U"（《「『“‘";
    std::vector<Piece> pieces;
    bool inWord = false;
    for (const char* p = paragraph.c_str(); *p; p = g_utf8_next_char(p)) {
        const gunichar c = g_utf8_get_char(p);
        const std::string text(p, size_t(g_utf8_next_char(p) - p));
        const bool latin = c < 0x80 && (g_ascii_isalnum(char(c)) || c == '.');
        if (latin && inWord) {
            pieces.back().text += text;
            continue;
        }
        inWord = latin;
        Piece piece;
        piece.text = text;
        piece.space = c == ' ';
        piece.noLineStart = closing.find(char32_t(c)) != std::u32string::npos;
        piece.noLineEnd = opening.find(char32_t(c)) != std::u32string::npos;
        pieces.push_back(piece);
    }
    return pieces;
}

// Advance of `text` in whole device pixels.
int advance(const Canvas& canvas, const std::string& text, const Font& font) {
    PangoLayout* layout = canvas.layout(text, font);
    const int width = int(std::lround(logicalExtents(layout).width * canvas.scale()));
    g_object_unref(layout);
    return width;
}

// Fills each line with as many pieces as fit, breaking between any two pieces
// except before closing and after opening punctuation; the first line is
// narrower by `indent`. Returns [first, last) piece ranges.
std::vector<std::pair<size_t, size_t>> breakLines(const std::vector<Piece>& pieces, int width, int indent) {
    std::vector<std::pair<size_t, size_t>> lines;
    size_t i = 0;
    while (i < pieces.size() && pieces[i].space) ++i;
    while (i < pieces.size()) {
        const int room = lines.empty() ? width - indent : width;
        size_t end = i;
        for (int used = 0; end < pieces.size() && used + pieces[end].width <= room; ++end) used += pieces[end].width;
        if (end == i) throw std::runtime_error("piece wider than a line: " + pieces[i].text);
        if (end < pieces.size())
            while (end > i + 1 && (pieces[end].noLineStart || pieces[end - 1].noLineEnd)) --end;
        lines.push_back({i, end});
        i = end;
        while (i < pieces.size() && pieces[i].space) ++i;
    }
    return lines;
}

}  // namespace

RgbaImage drawBackground(int scale) {
    const int w = 596, h = 444;
    Canvas canvas(w, h, false, scale);
    cairo_t* cr = canvas.cr();

    // The pale band runs from (2w/3, 0) to (w/3, h); the gradient runs across it,
    // reaching its end colours in the top-left and bottom-right corners.
    const double bandX = w * 2.0 / 3.0;
    const double nx = h, ny = w / 3.0, len = std::hypot(nx, ny);
    const double reach = (bandX * nx) / len;  // distance of the top-left corner from the band
    const double ux = nx / len, uy = ny / len;
    cairo_pattern_t* gradient =
        cairo_pattern_create_linear(bandX - ux * reach, -uy * reach, bandX + ux * reach, uy * reach);
    addStop(gradient, 0.00, {49, 125, 184});
    addStop(gradient, 0.13, {128, 180, 222});
    addStop(gradient, 0.25, {205, 227, 245});
    addStop(gradient, 0.44, {240, 246, 250});
    addStop(gradient, 0.50, {250, 250, 246});
    addStop(gradient, 0.56, {246, 241, 230});
    addStop(gradient, 0.75, {233, 221, 200});
    addStop(gradient, 0.88, {212, 188, 128});
    addStop(gradient, 1.00, {182, 149, 45});
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);

    // Brushed metal: every row gets a faint full-width tint, then streaks of
    // random length that fade in and out.
    Random random(0x5eed1e55);
    for (int y = 0; y < h; ++y) {
        double tint = random.uniform(-0.045, 0.045);
        cairo_rectangle(cr, 0, y, w, 1);
        setColour(cr, tint > 0 ? kWhite : kBlack, std::fabs(tint));
        cairo_fill(cr);
        const int streaks = 2 + int(random.next() % 4);
        for (int s = 0; s < streaks; ++s) {
            const double length = random.uniform(40, 360);
            const double x0 = random.uniform(-length / 2, w - length / 2);
            const double alpha = random.uniform(0.03, 0.09);
            const Rgb shade = random.next() % 3 ? kWhite : Rgb{40, 40, 40};
            cairo_pattern_t* streak = cairo_pattern_create_linear(x0, 0, x0 + length, 0);
            addStop(streak, 0.0, shade, 0);
            addStop(streak, 0.5, shade, alpha);
            addStop(streak, 1.0, shade, 0);
            cairo_rectangle(cr, x0, y, length, 1);
            cairo_set_source(cr, streak);
            cairo_fill(cr);
            cairo_pattern_destroy(streak);
        }
    }
    return canvas.image();
}

RgbaImage drawItem(const ItemArt& item, bool highlight, int scale) {
    const int h = 27;
    Canvas canvas(item.width, h, false, scale);
    cairo_t* cr = canvas.cr();
    const double cw = item.capsuleWidth;

    // Capsule: dark outline, light rim, then a body shaded from top to bottom
    // with a soft gloss over its upper half.
    capsulePath(cr, 0, 0, cw, h);
    setColour(cr, darker(item.capsule, 0.55));
    cairo_fill(cr);

    cairo_pattern_t* rim = cairo_pattern_create_linear(0, 1, 0, h - 1);
    addStop(rim, 0.0, lighter(item.capsule, 0.75));
    addStop(rim, 0.6, lighter(item.capsule, 0.35));
    addStop(rim, 1.0, darker(item.capsule, 0.15));
    capsulePath(cr, 1, 1, cw - 2, h - 2);
    cairo_set_source(cr, rim);
    cairo_fill(cr);
    cairo_pattern_destroy(rim);

    cairo_pattern_t* body = cairo_pattern_create_linear(0, 2.5, 0, h - 2.5);
    addStop(body, 0.0, lighter(item.capsule, 0.22));
    addStop(body, 0.5, item.capsule);
    addStop(body, 1.0, darker(item.capsule, 0.12));
    capsulePath(cr, 2.5, 2.5, cw - 5, h - 5);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);

    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, 3, 0, h / 2.0);
    addStop(gloss, 0.0, kWhite, 0.35);
    addStop(gloss, 1.0, kWhite, 0.0);
    capsulePath(cr, 5, 3, cw - 10, h / 2.0 - 2);
    cairo_set_source(cr, gloss);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);

    // Disc: dark outline and a ball shaded from a highlight at the upper left.
    const double r = 12.5, cx = item.width - r, cy = h / 2.0;
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    setColour(cr, darker(item.disc, 0.55));
    cairo_fill(cr);
    cairo_pattern_t* ball = cairo_pattern_create_radial(cx - 4, cy - 4.5, 1, cx, cy, r - 1);
    addStop(ball, 0.0, lighter(item.disc, 0.8));
    addStop(ball, 0.45, item.disc);
    addStop(ball, 1.0, darker(item.disc, 0.3));
    cairo_arc(cr, cx, cy, r - 1, 0, 2 * M_PI);
    cairo_set_source(cr, ball);
    cairo_fill(cr);
    cairo_pattern_destroy(ball);

    // Words: the only thing that differs between the normal and highlight picture.
    const Font font{canvas.songFamily(), 16, PANGO_WEIGHT_BOLD};
    setColour(cr, highlight ? kBlack : kWhite);
    std::vector<std::string> parts;
    if (item.spread) {
        std::string words = item.words;
        for (size_t start = 0, end; start < words.size(); start = end + 1) {
            end = words.find(' ', start);
            if (end == std::string::npos) end = words.size();
            if (end > start) parts.push_back(words.substr(start, end - start));
        }
    } else {
        parts.push_back(item.words);
    }
    for (size_t i = 0; i < parts.size(); ++i) {
        PangoLayout* layout = canvas.layout(parts[i], font);
        const Rect logical = logicalExtents(layout);
        const Rect ink = inkExtents(layout);
        if (logical.width > cw - 16) throw std::runtime_error(std::string("words too wide: ") + item.words);
        const double centre = cw * double(i + 1) / double(parts.size() + 1);
        // Centred on the ink: the empty halves of 《 and 》 would pull the words off centre.
        cairo_move_to(cr, canvas.snap(centre - ink.x - ink.width / 2), canvas.snap(cy - ink.y - ink.height / 2));
        pango_cairo_show_layout(cr, layout);
        g_object_unref(layout);
    }
    return canvas.image();
}

// At 12 pixels the Song face has hand-made bitmaps, which crisp text draws as they are;
// their ink is 11 pixels high. The lines are broken at that size; a larger picture keeps them,
// each justified again in the larger face, on the same baselines.
RgbaImage drawPreview(const std::string& paragraph, int scale) {
    const int w = 215, h = 155, em = 12;
    const Canvas design(w, h, true);
    const Font designFont{kSongFamily, double(em)};
    std::vector<Piece> pieces = splitPieces(paragraph);
    for (Piece& piece : pieces) piece.width = advance(design, piece.text, designFont);
    const auto lines = breakLines(pieces, w, 2 * em);
    const int count = int(lines.size());
    if (count < 9 || count > 10)
        throw std::runtime_error("preview paragraph takes " + std::to_string(count) + " lines: " + paragraph);
    const int pitch = count == 10 ? 15 : 16;
    const int top = (h - count * pitch) / 2;
    PangoLayout* sample = design.layout(pieces[0].text, designFont);
    const double baseline = top + ascent(sample);
    g_object_unref(sample);

    Canvas canvas(w, h, scale == 1, scale);
    cairo_t* cr = canvas.cr();
    const Font font{canvas.songFamily(), double(em)};
    if (scale != 1)
        for (Piece& piece : pieces) piece.width = advance(canvas, piece.text, font);
    setColour(cr, kBlack);
    for (int i = 0; i < count; ++i) {
        const int indent = (i ? 0 : 2 * em) * scale;
        auto [first, last] = lines[size_t(i)];
        while (last > first && pieces[last - 1].space) --last;  // a trailing space takes no room
        int used = 0;
        for (size_t k = first; k < last; ++k) used += pieces[k].width;
        // Every line but the last is justified: the spare pixels go into the gaps.
        const int gaps = int(last - first) - 1;
        const int spare = i + 1 < count && gaps > 0 ? w * scale - indent - used : 0;
        if (spare < 0) throw std::runtime_error("preview line too long at scale " + std::to_string(scale));
        int x = indent;
        for (size_t k = first; k < last; ++k) {
            const int gap = int(k - first);
            if (gap > 0 && spare > 0) x += spare * gap / gaps - spare * (gap - 1) / gaps;
            PangoLayout* layout = canvas.layout(pieces[k].text, font);
            showLine(cr, layout, double(x) / scale, baseline + i * pitch);
            g_object_unref(layout);
            x += pieces[k].width;
        }
    }
    return canvas.image();
}

// The lines are broken at the design size and kept at a larger one.
RgbaImage drawFeature(int scale) {
    const int w = 651, h = 165;
    const double em = 13, pitch = 16, textX = 18;
    const Canvas design(w, h, true);
    Canvas canvas(w, h, scale == 1, scale);
    cairo_t* cr = canvas.cr();
    setColour(cr, kBlack);
    const auto& text = featureItems();
    int line = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        PangoLayout* layout = design.layout(text[i], {kSongFamily, em});
        pango_layout_set_width(layout, int((w - textX - 2) * PANGO_SCALE));
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        const std::vector<std::string> lines = lineTexts(layout);
        const int expected = i < 4 ? 1 : 2;  // the last three items run onto a second line
        if (int(lines.size()) != expected)
            throw std::runtime_error("feature item takes " + std::to_string(lines.size()) + " lines: " + text[i]);
        const double top = 3 + line * pitch;
        for (size_t k = 0; k < lines.size(); ++k) {
            PangoLayout* part = canvas.layout(lines[k], {canvas.songFamily(), em});
            showLine(cr, part, textX, top + ascent(layout) + double(k) * pitch);
            g_object_unref(part);
        }
        g_object_unref(layout);

        // Solid triangle pointing right, centred on the first line's characters.
        const double mid = top + em * 0.5;
        cairo_move_to(cr, 5, mid - 4.5);
        cairo_line_to(cr, 13, mid);
        cairo_line_to(cr, 5, mid + 4.5);
        cairo_close_path(cr);
        cairo_fill(cr);
        line += int(lines.size());
    }
    return canvas.image();
}

RgbaImage drawBanner(int scale) {
    const int w = 274, h = 35;
    const Rgb orange{255, 128, 64};
    Canvas canvas(w, h, false, scale);
    cairo_t* cr = canvas.cr();

    cairo_pattern_t* face = cairo_pattern_create_linear(0, 0, 0, h);
    addStop(face, 0.0, lighter(orange, 0.18));
    addStop(face, 0.55, orange);
    addStop(face, 1.0, darker(orange, 0.08));
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);

    // Bevels as mitred strips: light along the top and left, dark along the bottom and right.
    const double b = 3;
    auto strip = [cr](std::initializer_list<std::pair<double, double>> points, Rgb c) {
        bool first = true;
        for (auto [x, y] : points) first ? cairo_move_to(cr, x, y) : cairo_line_to(cr, x, y), first = false;
        cairo_close_path(cr);
        setColour(cr, c);
        cairo_fill(cr);
    };
    strip({{0, 0}, {w, 0}, {w - b, b}, {b, b}, {b, h - b}, {0, h}}, lighter(orange, 0.55));
    strip({{w, 0}, {w, h}, {0, h}, {b, h - b}, {w - b, h - b}, {w - b, b}}, darker(orange, 0.45));
    strip({{1, 1}, {w - 1, 1}, {w - 2, 2}, {2, 2}, {2, h - 2}, {1, h - 1}}, lighter(orange, 0.85));
    strip({{w - 1, 1}, {w - 1, h - 1}, {1, h - 1}, {2, h - 2}, {w - 2, h - 2}, {w - 2, 2}}, darker(orange, 0.6));

    // Characters spread evenly over the plate, each in its own cell.
    const Font font{kBoldFamily, 18, PANGO_WEIGHT_BOLD};
    const std::string words = kBannerWords;
    std::vector<std::string> glyphs;
    for (size_t i = 0; i < words.size();) {
        size_t n = (uint8_t(words[i]) >= 0xf0) ? 4 : (uint8_t(words[i]) >= 0xe0) ? 3 : (uint8_t(words[i]) >= 0xc0) ? 2 : 1;
        glyphs.push_back(words.substr(i, n));
        i += n;
    }
    PangoLayout* all = canvas.layout(words, font);
    const Rect allInk = inkExtents(all);
    g_object_unref(all);
    const double margin = 9, cell = (w - 2 * margin) / glyphs.size();
    const double y = canvas.snap(h / 2.0 - allInk.y - allInk.height / 2);
    for (size_t i = 0; i < glyphs.size(); ++i) {
        PangoLayout* layout = canvas.layout(glyphs[i], font);
        const Rect logical = logicalExtents(layout);
        const double x = canvas.snap(margin + cell * (i + 0.5) - logical.width / 2);
        cairo_move_to(cr, x + 1.5, y + 1.5);
        setColour(cr, {92, 40, 8});
        pango_cairo_show_layout(cr, layout);
        cairo_move_to(cr, x, y);
        setColour(cr, kWhite);
        pango_cairo_show_layout(cr, layout);
        g_object_unref(layout);
    }
    return canvas.image();
}

IndexedImage drawIcon() {
    // Standard 16-colour VGA palette in its usual order.
    static const Rgb vga[16] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
                                {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    // W white, K black, B blue, R red, G light grey.
    static const char* const rows[16] = {
        "WWWWWWWWWWWWWWWK", "WWWWWWWWWWWWWWWK", "WGBBBBBWWBBBBBGK", "WWWWWWWWWWWWWWWK",
        "WWBBBBBWWBBBBBWK", "WWWWWWWWWWWWWWWK", "WWBBBBBWWBBBBBWK", "WWWWWWWWWWWWWWWK",
        "WWWWWWWWWWWWWWWK", "WWRRRRRWWRRRRRWK", "WWWWWWWWWWWWWWWK", "WWRRRRRWWRRRRRWK",
        "WWWWWWWWWWWWWWWK", "WGRRRRRWWRRRRRGK", "WWWWWWWWWWWWWWWK", "KKKKKKKKKKKKKKKK",
    };
    IndexedImage icon;
    icon.width = icon.height = 16;
    icon.palette.assign(vga, vga + 16);
    icon.indices.resize(256);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            switch (rows[y][x]) {
                case 'K': icon.at(x, y) = 0; break;
                case 'G': icon.at(x, y) = 7; break;
                case 'R': icon.at(x, y) = 9; break;
                case 'B': icon.at(x, y) = 12; break;
                default: icon.at(x, y) = 15; break;
            }
        }
    return icon;
}

}  // namespace artwork
