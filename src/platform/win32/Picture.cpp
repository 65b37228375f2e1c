// Decoding of the resource pictures (JPEG, GIF) with stb_image, compiled in for these two formats.
#include "platform/win32/Picture.h"

#include <cstring>
#include <utility>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_THREAD_LOCALS
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace lcime::win32 {

void Picture::RowsFree::operator()(unsigned char* rows) const { stbi_image_free(rows); }

Picture Picture::FromResource(HINSTANCE module, int id) {
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    const auto* data = static_cast<const stbi_uc*>(loaded ? LockResource(loaded) : nullptr);
    if (!data) return Picture();
    const int size = static_cast<int>(SizeofResource(module, info));
    // The picture's own channels where they make DIB rows as they are (RGB rows a multiple of
    // four bytes long, or RGBA), four otherwise; a GIF gives its first frame as RGBA.
    int width = 0, height = 0, channels = 0;
    Picture picture;
    picture.rows_.reset(stbi_load_from_memory(data, size, &width, &height, &channels, 0));
    if (picture.rows_ && !(channels == 4 || (channels == 3 && width * 3 % 4 == 0))) {
        picture.rows_.reset(stbi_load_from_memory(data, size, &width, &height, &channels, 4));
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
    picture.header_.biSize = sizeof(picture.header_);
    picture.header_.biWidth = width;
    picture.header_.biHeight = -height;
    picture.header_.biPlanes = 1;
    picture.header_.biBitCount = static_cast<WORD>(channels * 8);
    picture.header_.biCompression = BI_RGB;
    return picture;
}

void Picture::Draw(HDC target, int x, int y) const {
    if (empty()) return;
    const int w = width(), h = height();
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
