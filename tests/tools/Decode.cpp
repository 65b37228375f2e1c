// giflib and libjpeg wrappers that turn a file into plain vectors.
#include "Decode.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <gif_lib.h>
#include <jpeglib.h>

namespace artwork_test {

Gif readGif(const std::string& path) {
    int error = 0;
    GifFileType* file = DGifOpenFileName(path.c_str(), &error);
    if (!file) throw std::runtime_error("giflib cannot open " + path);
    if (DGifSlurp(file) != GIF_OK || file->ImageCount < 1 || !file->SColorMap) {
        DGifCloseFile(file, &error);
        throw std::runtime_error("giflib cannot read " + path);
    }
    Gif gif;
    // giflib reports the version it would write, not the one read, so it comes from the header.
    const std::vector<uint8_t> bytes = readBytes(path);
    gif.version.assign(bytes.begin(), bytes.begin() + std::min<size_t>(6, bytes.size()));
    gif.width = file->SWidth;
    gif.height = file->SHeight;
    gif.frames = file->ImageCount;
    for (int i = 0; i < file->SColorMap->ColorCount; ++i) {
        const GifColorType& c = file->SColorMap->Colors[i];
        gif.palette.push_back({c.Red, c.Green, c.Blue});
    }
    GraphicsControlBlock gcb{};
    if (DGifSavedExtensionToGCB(file, 0, &gcb) == GIF_OK) gif.transparent = gcb.TransparentColor;
    const SavedImage& image = file->SavedImages[0];
    if (image.ImageDesc.Width == gif.width && image.ImageDesc.Height == gif.height)
        gif.indices.assign(image.RasterBits, image.RasterBits + size_t(gif.width) * gif.height);
    DGifCloseFile(file, &error);
    if (gif.indices.empty()) throw std::runtime_error("frame does not cover the screen in " + path);
    return gif;
}

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

}  // namespace

Jpeg readJpeg(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw std::runtime_error("cannot open " + path);
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<ErrorManager*>(c->err)->escape, 1); };
    Jpeg jpeg;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&cinfo);
        std::fclose(file);
        throw std::runtime_error("libjpeg cannot read " + path);
    }
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    jpeg.progressive = cinfo.progressive_mode;
    jpeg.arithmetic = cinfo.arith_code;
    jpeg.components = cinfo.num_components;
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    jpeg.width = int(cinfo.output_width);
    jpeg.height = int(cinfo.output_height);
    jpeg.rgb.resize(size_t(jpeg.width) * jpeg.height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = &jpeg.rgb[size_t(cinfo.output_scanline) * jpeg.width * 3];
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    return jpeg;
}

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace artwork_test
