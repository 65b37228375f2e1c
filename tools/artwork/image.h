// Pixel containers shared by the drawing code and the file writers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace artwork {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// Straight (not premultiplied) colour with 8-bit alpha.
struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;
    Rgb rgb() const { return {r, g, b}; }
};

struct RgbaImage {
    int width = 0, height = 0;
    std::vector<Rgba> pixels;  // row-major, top row first

    RgbaImage() = default;
    RgbaImage(int w, int h) : width(w), height(h), pixels(size_t(w) * h) {}
    Rgba& at(int x, int y) { return pixels[size_t(y) * width + x]; }
    const Rgba& at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// A palette picture as it goes into a GIF or icon file.
struct IndexedImage {
    int width = 0, height = 0;
    std::vector<uint8_t> indices;  // row-major, top row first
    std::vector<Rgb> palette;      // a power of two entries, at most 256
    int transparent = -1;          // palette index marked transparent, or -1

    uint8_t& at(int x, int y) { return indices[size_t(y) * width + x]; }
    uint8_t at(int x, int y) const { return indices[size_t(y) * width + x]; }
};

}  // namespace artwork
