// Reduction of each drawing to its stored format and the file names.
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

std::vector<std::string> pictureFiles() {
    std::vector<std::string> names{"background.jpg", "icon.ico", "banner.gif", "photo.gif", "feature.gif"};
    for (const ItemArt& item : items()) {
        names.push_back(std::string(item.stem) + "a.gif");
        names.push_back(std::string(item.stem) + "b.gif");
    }
    for (size_t i = 0; i < previewParagraphs().size(); ++i) names.push_back("preview" + std::to_string(i) + ".gif");
    return names;
}

void requireFonts() {
    PangoFontMap* map = pango_cairo_font_map_new();
    PangoContext* context = pango_font_map_create_context(map);
    for (const char* family : {kSongFamily, kBoldFamily}) {
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

    writeJpeg(join(folder, "background.jpg"), drawBackground(), 92);
    writeIco16(join(folder, "icon.ico"), drawIcon());

    // The normal and highlight pictures share one palette and are mapped
    // without dithering, so everything but the words gets the same indices.
    for (const ItemArt& item : items()) {
        RgbaImage normal = drawItem(item, false), highlight = drawItem(item, true);
        flattenAlpha(normal, kItemMatte);
        flattenAlpha(highlight, kItemMatte);
        const std::vector<Rgb> colours = medianCut({&normal, &highlight}, 255);
        writeGif(join(folder, std::string(item.stem) + "a.gif"),
                 mapToPalette(normal, colours, true, kItemMatte, false, 256), true);
        writeGif(join(folder, std::string(item.stem) + "b.gif"),
                 mapToPalette(highlight, colours, true, kItemMatte, false, 256), true);
    }

    const auto& paragraphs = previewParagraphs();
    for (size_t i = 0; i < paragraphs.size(); ++i)
        writeGif(join(folder, "preview" + std::to_string(i) + ".gif"),
                 thresholdText(drawPreview(paragraphs[i]), kTextCut, 2), true);
    writeGif(join(folder, "feature.gif"), thresholdText(drawFeature(), kTextCut, 4), true);

    const RgbaImage banner = drawBanner();
    writeGif(join(folder, "banner.gif"), mapToPalette(banner, medianCut({&banner}, 256), false, {}, true), false);

    // 63 drawn colours and an unused transparent entry make the 64.
    const RgbaImage photo = drawPhoto();
    writeGif(join(folder, "photo.gif"), mapToPalette(photo, medianCut({&photo}, 63), true, {255, 0, 255}, true, 64),
             true);
}

}  // namespace artwork
