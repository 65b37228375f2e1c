// Reduction of each drawing to its stored format and the file names: every picture at its
// design size, and again at twice that size under its name with "@2x" (PNG with smooth alpha
// where the design-size GIF has a transparent colour, JPEG for the photographic ones).
#include "generate.h"

#include "canvas.h"
#include "encoders.h"
#include "palette.h"
#include "pictures.h"

#include <stdexcept>

namespace artwork {

namespace {

std::string join(const std::string& folder, const std::string& name) { return folder + "/" + name; }

}  // namespace

void requireFonts() {
    PangoFontMap* map = pango_cairo_font_map_new();
    PangoContext* context = pango_font_map_create_context(map);
    for (const char* family : {kSongFamily, kSongFamilyLarge, kBoldFamily}) {
        PangoFontDescription* want = pango_font_description_from_string(family);
        PangoFont* font = pango_font_map_load_font(map, context, want);
        PangoFontDescription* got = font ? pango_font_describe(font) : nullptr;
        const bool ok = got && g_ascii_strcasecmp(pango_font_description_get_family(got), family) == 0;
        if (got) pango_font_description_free(got);
        if (font) g_object_unref(font);
        pango_font_description_free(want);
        if (!ok) {
            g_object_unref(context);
            g_object_unref(map);
            throw std::runtime_error(std::string("font family not installed: ") + family);
        }
    }
    g_object_unref(context);
    g_object_unref(map);
}

void generateAll(const std::string& folder) {
    requireFonts();

    writeJpeg(join(folder, "background.jpg"), drawBackground(1), 92);
    writeJpeg(join(folder, "background@2x.jpg"), drawBackground(2), 92);
    writeIco16(join(folder, "icon.ico"), drawIcon());

    // The normal and highlight pictures share one palette and are mapped
    // without dithering, so everything but the words gets the same indices.
    for (const ItemArt& item : items()) {
        RgbaImage normal = drawItem(item, false, 1), highlight = drawItem(item, true, 1);
        flattenAlpha(normal, kItemMatte);
        flattenAlpha(highlight, kItemMatte);
        const std::vector<Rgb> colours = medianCut({&normal, &highlight}, 255);
        writeGif(join(folder, std::string(item.stem) + "a.gif"),
                 mapToPalette(normal, colours, true, kItemMatte, false, 256), true);
        writeGif(join(folder, std::string(item.stem) + "b.gif"),
                 mapToPalette(highlight, colours, true, kItemMatte, false, 256), true);
        writePng(join(folder, std::string(item.stem) + "a@2x.png"), drawItem(item, false, 2));
        writePng(join(folder, std::string(item.stem) + "b@2x.png"), drawItem(item, true, 2));
    }

    const auto& paragraphs = previewParagraphs();
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        const std::string name = "preview" + std::to_string(i);
        writeGif(join(folder, name + ".gif"), thresholdText(drawPreview(paragraphs[i], 1), kTextCut, 2), true);
        writePng(join(folder, name + "@2x.png"), drawPreview(paragraphs[i], 2));
    }
    writeGif(join(folder, "feature.gif"), thresholdText(drawFeature(1), kTextCut, 4), true);
    writePng(join(folder, "feature@2x.png"), drawFeature(2));

    for (int scale : {1, 2}) {
        const RgbaImage banner = drawBanner(scale);
        writeGif(join(folder, scale == 1 ? "banner.gif" : "banner@2x.gif"),
                 mapToPalette(banner, medianCut({&banner}, 256), false, {}, true), false);
    }

    // 63 drawn colours and an unused transparent entry make the 64.
    const RgbaImage photo = drawPhoto(1);
    writeGif(join(folder, "photo.gif"), mapToPalette(photo, medianCut({&photo}, 63), true, {255, 0, 255}, true, 64),
             true);
    writeJpeg(join(folder, "photo@2x.jpg"), drawPhoto(2), 92);
}

}  // namespace artwork
