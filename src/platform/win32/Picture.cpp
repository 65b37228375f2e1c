// Decoding of the resource pictures with stb_image, compiled in for JPEG, GIF and PNG, and their
// resampling for other densities with stb_image_resize.
#include "platform/win32/Picture.h"

#include <cstring>
#include <utility>
#include <vector>

#include "platform/Twips.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_THREAD_LOCALS
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#include <stb_image.h>
#include <stb_image_resize.h>
#pragma GCC diagnostic pop

namespace lcime::win32 {
namespace {

struct Bytes {
    const stbi_uc* data = nullptr;
    int size = 0;
};

Bytes ResourceBytes(HINSTANCE module, int id, const wchar_t* type) {
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    const auto* data = static_cast<const stbi_uc*>(loaded ? LockResource(loaded) : nullptr);
    return {data, data ? static_cast<int>(SizeofResource(module, info)) : 0};
}

}  // namespace

void Picture::RowsFree::operator()(unsigned char* rows) const { stbi_image_free(rows); }

Picture Picture::FromResource(HINSTANCE module, int id) {
    const Bytes bytes = ResourceBytes(module, id, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!bytes.data) return Picture();
    // The picture's own channels where they make DIB rows as they are (RGB rows a multiple of
    // four bytes long, or RGBA), four otherwise; a GIF gives its first frame as RGBA.
    int width = 0, height = 0, channels = 0;
    Picture picture;
    picture.rows_.reset(stbi_load_from_memory(bytes.data, bytes.size, &width, &height, &channels, 0));
    if (picture.rows_ && !(channels == 4 || (channels == 3 && width * 3 % 4 == 0))) {
        picture.rows_.reset(stbi_load_from_memory(bytes.data, bytes.size, &width, &height, &channels, 4));
        channels = 4;
    }
    if (!picture.rows_) return Picture();

    // RGB(A) to BGR(X) in place; the mask has one bit per pixel, rows padded to 16 bits.
    const int maskStride = ((width + 15) / 16) * 2;
    std::vector<BYTE> maskBits;
    unsigned char* pixel = picture.rows_.get();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, pixel += channels) {
            std::swap(pixel[0], pixel[2]);
            if (channels == 4) {
                if (pixel[3] < 128) {
                    std::memset(pixel, 0, 3);
                    if (maskBits.empty()) maskBits.resize(size_t(maskStride) * height, 0);
                    maskBits[size_t(y) * maskStride + x / 8] |= BYTE(0x80 >> (x % 8));
                }
                pixel[3] = 0;
            }
        }
    }
    if (!maskBits.empty()) {
        picture.mask_.reset(CreateBitmap(width, height, 1, 1, maskBits.data()));
        if (!picture.mask_) return Picture();
    }
    picture.width_ = width;
    picture.height_ = height;
    picture.header_.biSize = sizeof(picture.header_);
    picture.header_.biWidth = width;
    picture.header_.biHeight = -height;
    picture.header_.biPlanes = 1;
    picture.header_.biBitCount = static_cast<WORD>(channels * 8);
    picture.header_.biCompression = BI_RGB;
    return picture;
}

Picture Picture::ForDpi(HINSTANCE module, int id, int dpi) {
    if (dpi == kDesignDpi) return FromResource(module, id);
    const Bytes bytes = ResourceBytes(module, id, kTwiceSizeType);
    int twiceWidth = 0, twiceHeight = 0, channels = 0;
    const std::unique_ptr<unsigned char, RowsFree> twice(
        bytes.data ? stbi_load_from_memory(bytes.data, bytes.size, &twiceWidth, &twiceHeight, &channels, 4) : nullptr);
    if (!twice) return Picture();

    // Twice the size is half the design's twips to the pixel.
    Picture picture;
    picture.width_ = ToPixels(twiceWidth * kTwipsPerInch / (2.0 * kDesignDpi), dpi);
    picture.height_ = ToPixels(twiceHeight * kTwipsPerInch / (2.0 * kDesignDpi), dpi);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width_;
    info.bmiHeader.biHeight = -picture.height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    picture.bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture.bitmap_) return Picture();

    auto* rgba = static_cast<unsigned char*>(bits);
    if (picture.width_ == twiceWidth && picture.height_ == twiceHeight) {
        std::memcpy(rgba, twice.get(), size_t(twiceWidth) * twiceHeight * 4);
    } else if (!stbir_resize_uint8_generic(twice.get(), twiceWidth, twiceHeight, 0, rgba, picture.width_,
                                           picture.height_, 0, 4, 3, 0, STBIR_EDGE_CLAMP,
                                           picture.width_ < twiceWidth ? STBIR_FILTER_BOX : STBIR_FILTER_CATMULLROM,
                                           STBIR_COLORSPACE_SRGB, nullptr)) {
        return Picture();
    }
    // RGBA to premultiplied BGRA, the form the system blends.
    for (unsigned char* pixel = rgba; pixel < rgba + size_t(picture.width_) * picture.height_ * 4; pixel += 4) {
        const unsigned alpha = pixel[3];
        std::swap(pixel[0], pixel[2]);
        if (alpha == 255) continue;
        picture.blend_ = true;
        for (int c = 0; c < 3; ++c) pixel[c] = static_cast<unsigned char>((pixel[c] * alpha + 127) / 255);
    }
    return picture;
}

void Picture::Draw(HDC target, int x, int y) const {
    const int w = width(), h = height();
    if (bitmap_) {
        UniqueDc source(CreateCompatibleDC(target));
        SelectIn select(source.get(), bitmap_.get());
        if (blend_) {
            const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            GdiAlphaBlend(target, x, y, w, h, source.get(), 0, 0, w, h, blend);
        } else {
            BitBlt(target, x, y, w, h, source.get(), 0, 0, SRCCOPY);
        }
        return;
    }
    if (empty()) return;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(&header_);
    if (!mask_) {
        StretchDIBits(target, x, y, w, h, 0, 0, w, h, rows_.get(), info, DIB_RGB_COLORS, SRCCOPY);
        return;
    }
    {
        UniqueDc source(CreateCompatibleDC(target));
        SelectIn select(source.get(), mask_.get());
        // Monochrome to colour: set bits take the background colour, clear bits the text colour.
        const COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
        const COLORREF oldBack = SetBkColor(target, RGB(255, 255, 255));
        BitBlt(target, x, y, w, h, source.get(), 0, 0, SRCAND);
        SetTextColor(target, oldText);
        SetBkColor(target, oldBack);
    }
    StretchDIBits(target, x, y, w, h, 0, 0, w, h, rows_.get(), info, DIB_RGB_COLORS, SRCPAINT);
}

}  // namespace lcime::win32
