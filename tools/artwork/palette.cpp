// Median-cut quantisation, nearest-colour mapping and alpha handling.
#include "palette.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <unordered_map>

namespace artwork {

namespace {

struct Entry {
    Rgb colour;
    uint32_t count;
};

int channel(const Rgb& c, int axis) { return axis == 0 ? c.r : axis == 1 ? c.g : c.b; }

uint32_t key(const Rgb& c) { return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b; }

// Distance weighted roughly by the eye's sensitivity to each primary.
int distance(int dr, int dg, int db) { return 3 * dr * dr + 4 * dg * dg + 2 * db * db; }

struct Box {
    size_t begin, end;  // range in the entry list
    int axis = 0;
    int range = 0;
    uint64_t pixels = 0;
};

void measure(const std::vector<Entry>& entries, Box& box) {
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    box.pixels = 0;
    for (size_t i = box.begin; i < box.end; ++i) {
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], channel(entries[i].colour, a));
            hi[a] = std::max(hi[a], channel(entries[i].colour, a));
        }
        box.pixels += entries[i].count;
    }
    box.axis = 0;
    box.range = -1;
    for (int a = 0; a < 3; ++a) {
        if (hi[a] - lo[a] > box.range) {
            box.range = hi[a] - lo[a];
            box.axis = a;
        }
    }
}

Rgb mean(const std::vector<Entry>& entries, const Box& box) {
    uint64_t sum[3] = {0, 0, 0};
    for (size_t i = box.begin; i < box.end; ++i)
        for (int a = 0; a < 3; ++a) sum[a] += uint64_t(channel(entries[i].colour, a)) * entries[i].count;
    auto avg = [&](int a) { return uint8_t((sum[a] + box.pixels / 2) / box.pixels); };
    return {avg(0), avg(1), avg(2)};
}

}  // namespace

void flattenAlpha(RgbaImage& image, Rgb matte) {
    for (Rgba& p : image.pixels) {
        if (p.a < kAlphaCut) {
            p = Rgba{};
        } else if (p.a < 255) {
            auto mix = [&](uint8_t fg, uint8_t bg) { return uint8_t((fg * p.a + bg * (255 - p.a) + 127) / 255); };
            p = {mix(p.r, matte.r), mix(p.g, matte.g), mix(p.b, matte.b), 255};
        }
    }
}

std::vector<Rgb> medianCut(const std::vector<const RgbaImage*>& images, int maxColours) {
    std::map<uint32_t, uint32_t> histogram;
    for (const RgbaImage* image : images)
        for (const Rgba& p : image->pixels)
            if (p.a >= kAlphaCut) ++histogram[key(p.rgb())];

    std::vector<Entry> entries;
    entries.reserve(histogram.size());
    for (const auto& [k, n] : histogram) entries.push_back({{uint8_t(k >> 16), uint8_t(k >> 8), uint8_t(k)}, n});
    if (entries.empty()) return {};
    if (int(entries.size()) <= maxColours) {
        std::vector<Rgb> exact;
        for (const Entry& e : entries) exact.push_back(e.colour);
        return exact;
    }

    std::vector<Box> boxes{{0, entries.size()}};
    measure(entries, boxes[0]);
    while (int(boxes.size()) < maxColours) {
        // Split the box whose colours spread widest, favouring well-used ones.
        int best = -1;
        double bestScore = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].end - boxes[i].begin < 2) continue;
            double score = boxes[i].range * std::sqrt(double(boxes[i].pixels));
            if (score > bestScore) {
                bestScore = score;
                best = int(i);
            }
        }
        if (best < 0) break;
        Box box = boxes[best];
        int axis = box.axis;
        std::sort(entries.begin() + box.begin, entries.begin() + box.end, [axis](const Entry& a, const Entry& b) {
            int ca = channel(a.colour, axis), cb = channel(b.colour, axis);
            return ca != cb ? ca < cb : key(a.colour) < key(b.colour);
        });
        uint64_t half = box.pixels / 2, run = 0;
        size_t cut = box.begin;
        while (cut < box.end - 1 && run + entries[cut].count <= half) run += entries[cut++].count;
        if (cut == box.begin) cut = box.begin + 1;
        Box low{box.begin, cut}, high{cut, box.end};
        measure(entries, low);
        measure(entries, high);
        boxes[best] = low;
        boxes.push_back(high);
    }

    std::vector<Rgb> colours;
    for (const Box& box : boxes) colours.push_back(mean(entries, box));
    std::sort(colours.begin(), colours.end(), [](const Rgb& a, const Rgb& b) { return key(a) < key(b); });
    colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
    return colours;
}

IndexedImage mapToPalette(const RgbaImage& image, const std::vector<Rgb>& colours, bool withTransparent, Rgb key,
                          bool dither, int minEntries) {
    IndexedImage out;
    out.width = image.width;
    out.height = image.height;
    out.indices.assign(image.pixels.size(), 0);
    if (withTransparent) {
        out.palette.push_back(key);
        out.transparent = 0;
    }
    const int first = int(out.palette.size());
    out.palette.insert(out.palette.end(), colours.begin(), colours.end());
    size_t entries = 2;
    while (entries < out.palette.size() || int(entries) < minEntries) entries *= 2;
    if (entries > 256) throw std::runtime_error("palette has more than 256 entries");
    out.palette.resize(entries);

    std::unordered_map<uint32_t, uint8_t> cache;
    auto nearest = [&](int r, int g, int b) -> uint8_t {
        r = std::clamp(r, 0, 255), g = std::clamp(g, 0, 255), b = std::clamp(b, 0, 255);
        uint32_t k = (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
        auto it = cache.find(k);
        if (it != cache.end()) return it->second;
        int best = first, bestDistance = INT32_MAX;
        for (size_t i = first; i < first + colours.size(); ++i) {
            const Rgb& c = out.palette[i];
            int d = distance(r - c.r, g - c.g, b - c.b);
            if (d < bestDistance) bestDistance = d, best = int(i);
        }
        cache.emplace(k, uint8_t(best));
        return uint8_t(best);
    };

    // Error terms in sixteenths, for the current and the next row.
    std::vector<int> err(size_t(image.width + 2) * 3 * 2, 0);
    for (int y = 0; y < image.height; ++y) {
        int* cur = err.data() + size_t(y % 2) * (image.width + 2) * 3;
        int* next = err.data() + size_t((y + 1) % 2) * (image.width + 2) * 3;
        std::fill(next, next + (image.width + 2) * 3, 0);
        for (int x = 0; x < image.width; ++x) {
            const Rgba& p = image.at(x, y);
            if (p.a < kAlphaCut) {
                if (!withTransparent) throw std::runtime_error("transparent pixel in an opaque picture");
                out.at(x, y) = 0;
                continue;
            }
            int* e = cur + (x + 1) * 3;
            int want[3] = {p.r, p.g, p.b};
            if (dither)
                for (int a = 0; a < 3; ++a) want[a] += e[a] / 16;
            uint8_t index = nearest(want[0], want[1], want[2]);
            out.at(x, y) = index;
            if (!dither) continue;
            const Rgb& got = out.palette[index];
            int diff[3] = {want[0] - got.r, want[1] - got.g, want[2] - got.b};
            for (int a = 0; a < 3; ++a) {
                e[3 + a] += diff[a] * 7;
                next[(x + 0) * 3 + a] += diff[a] * 3;
                next[(x + 1) * 3 + a] += diff[a] * 5;
                next[(x + 2) * 3 + a] += diff[a] * 1;
            }
        }
    }
    return out;
}

IndexedImage thresholdText(const RgbaImage& image, uint8_t cut, int entries) {
    IndexedImage out;
    out.width = image.width;
    out.height = image.height;
    out.palette = {{0, 0, 0}, {255, 255, 255}};
    // Spare entries, if any, are never used by a pixel.
    if (entries == 4) out.palette.insert(out.palette.end(), {{128, 128, 128}, {192, 192, 192}});
    out.transparent = 1;
    out.indices.resize(image.pixels.size());
    for (size_t i = 0; i < image.pixels.size(); ++i) out.indices[i] = image.pixels[i].a >= cut ? 0 : 1;
    return out;
}

}  // namespace artwork
