// GIF through giflib, JPEG through libjpeg, PNG through libpng, and the small .ico container.
#include "encoders.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

namespace artwork {

namespace {

[[noreturn]] void fail(const std::string& what, const std::string& path) {
    throw std::runtime_error(what + ": " + path);
}

int bitsFor(size_t entries) {
    int bits = 1;
    while ((size_t(1) << bits) < entries) ++bits;
    return bits;
}

}  // namespace

void writeGif(const std::string& path, const IndexedImage& image, bool gif89) {
    if (image.transparent >= 0 && !gif89) fail("a GIF87a file cannot mark a transparent colour", path);
    const int bits = bitsFor(image.palette.size());
    if ((size_t(1) << bits) != image.palette.size()) fail("palette size is not a power of two", path);

    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif) fail(std::string("cannot create GIF (") + GifErrorString(error) + ")", path);
    auto close = [&] {
        int e = 0;
        return EGifCloseFile(gif, &e) == GIF_OK;
    };

    std::vector<GifColorType> colours;
    for (const Rgb& c : image.palette) colours.push_back({c.r, c.g, c.b});
    std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(
        GifMakeMapObject(int(colours.size()), colours.data()), GifFreeMapObject);

    EGifSetGifVersion(gif, gif89);
    bool ok = EGifPutScreenDesc(gif, image.width, image.height, bits, 0, map.get()) == GIF_OK;
    if (ok && image.transparent >= 0) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.UserInputFlag = false;
        gcb.DelayTime = 0;
        gcb.TransparentColor = image.transparent;
        GifByteType block[4];
        size_t len = EGifGCBToExtension(&gcb, block);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(len), block) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> row(image.width);
    for (int y = 0; ok && y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) row[x] = image.at(x, y);
        ok = EGifPutLine(gif, row.data(), image.width) == GIF_OK;
    }
    if (!close() || !ok) fail("cannot write GIF", path);
}

void writeJpeg(const std::string& path, const RgbaImage& image, int quality) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) fail("cannot create JPEG", path);
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = image.width;
    cinfo.image_height = image.height;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.optimize_coding = TRUE;  // still baseline: only the Huffman tables change
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(size_t(image.width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int x = 0; x < image.width; ++x) {
            const Rgba& p = image.at(x, int(cinfo.next_scanline));
            row[x * 3] = p.r, row[x * 3 + 1] = p.g, row[x * 3 + 2] = p.b;
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    if (std::fclose(file) != 0) fail("cannot write JPEG", path);
}

void writePng(const std::string& path, const RgbaImage& image) {
    const auto& pixels = image.pixels;
    const bool opaque = std::all_of(pixels.begin(), pixels.end(), [](const Rgba& p) { return p.a == 255; });
    const bool grey = std::all_of(pixels.begin(), pixels.end(), [](const Rgba& p) { return p.r == p.g && p.g == p.b; });
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(image.width);
    png.height = png_uint_32(image.height);
    png.format = (grey ? 0 : PNG_FORMAT_FLAG_COLOR) | (opaque ? 0 : PNG_FORMAT_FLAG_ALPHA);
    std::vector<png_byte> samples;
    for (const Rgba& p : pixels) {
        samples.push_back(p.r);
        if (!grey) samples.push_back(p.g), samples.push_back(p.b);
        if (!opaque) samples.push_back(p.a);
    }
    if (!png_image_write_to_file(&png, path.c_str(), 0, samples.data(), 0, nullptr))
        fail(std::string("cannot write PNG (") + png.message + ")", path);
}

void writeIco16(const std::string& path, const IndexedImage& image) {
    if (image.width != 16 || image.height != 16 || image.palette.size() != 16) fail("icon must be 16x16, 16 colours", path);

    std::vector<uint8_t> out;
    auto u8 = [&](unsigned v) { out.push_back(uint8_t(v)); };
    auto u16 = [&](unsigned v) { u8(v & 0xff), u8(v >> 8); };
    auto u32 = [&](uint32_t v) { u16(v & 0xffff), u16(v >> 16); };

    const uint32_t xorBytes = 16 * 8, andBytes = 16 * 4;  // AND rows padded to 32 bits
    const uint32_t dibBytes = 40 + 16 * 4 + xorBytes + andBytes;

    u16(0), u16(1), u16(1);                     // icon directory: one image
    u8(16), u8(16), u8(16), u8(0), u16(1), u16(4), u32(dibBytes), u32(6 + 16);
    u32(40), u32(16), u32(32), u16(1), u16(4);  // BITMAPINFOHEADER, height counts both masks
    u32(0), u32(xorBytes + andBytes), u32(0), u32(0), u32(16), u32(0);
    for (const Rgb& c : image.palette) u8(c.b), u8(c.g), u8(c.r), u8(0);
    for (int y = 15; y >= 0; --y)               // bottom-up rows
        for (int x = 0; x < 16; x += 2) u8((image.at(x, y) << 4) | (image.at(x + 1, y) & 0x0f));
    out.insert(out.end(), andBytes, 0);

    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    if (!file) fail("cannot write icon", path);
}

}  // namespace artwork
