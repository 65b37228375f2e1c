// Reads the stored pictures back through giflib and libjpeg for the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artwork_test {

struct Colour {
    int r = 0, g = 0, b = 0;
};

struct Gif {
    std::string version;          // "GIF87a" or "GIF89a"
    int width = 0, height = 0;
    std::vector<Colour> palette;  // global colour table
    int transparent = -1;         // from the graphic control extension
    int frames = 0;
    std::vector<uint8_t> indices; // first frame, row-major

    int at(int x, int y) const { return indices[size_t(y) * width + x]; }
    bool clear(int x, int y) const { return at(x, y) == transparent; }
    Colour colour(int x, int y) const { return palette[size_t(at(x, y))]; }
};

struct Jpeg {
    int width = 0, height = 0, components = 0;
    bool progressive = false;
    bool arithmetic = false;
    std::vector<uint8_t> rgb;

    Colour at(int x, int y) const {
        const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
        return {p[0], p[1], p[2]};
    }
};

// Both throw std::runtime_error when the library refuses the file.
Gif readGif(const std::string& path);
Jpeg readJpeg(const std::string& path);

std::vector<uint8_t> readBytes(const std::string& path);

}  // namespace artwork_test
