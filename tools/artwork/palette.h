// Reduction of drawn RGBA pictures to the palette pictures that GIF and
// icon files hold. Everything here is deterministic: the same drawing always
// yields the same palette and the same indices.
#pragma once

#include "image.h"

#include <vector>

namespace artwork {

// Pixels with alpha below this count as transparent.
constexpr uint8_t kAlphaCut = 128;

// Coverage from which an anti-aliased text pixel is drawn black in a two-colour picture.
constexpr uint8_t kTextCut = 96;

// Makes every pixel either fully transparent or fully opaque. Partly covered
// edge pixels that stay are blended over `matte`, the colour the picture is
// expected to stand on, so its edges look smooth there.
void flattenAlpha(RgbaImage& image, Rgb matte);

// Median-cut palette of at most `maxColours` colours for the opaque pixels of
// all `images` together (pictures that must share colours, e.g. the normal and
// highlight form of an item). Returns the exact colours if there are few enough.
std::vector<Rgb> medianCut(const std::vector<const RgbaImage*>& images, int maxColours);

// Maps an opaque/transparent picture onto `colours`. If `withTransparent`,
// index 0 is reserved as the transparent colour `key` and the colours follow.
// The palette is padded with black to a power of two of at least `minEntries`.
// `dither` spreads the rounding error (Floyd-Steinberg) for smooth shading.
IndexedImage mapToPalette(const RgbaImage& image, const std::vector<Rgb>& colours,
                          bool withTransparent, Rgb key, bool dither, int minEntries = 2);

// Two-level picture for text: index 0 black where alpha >= cut, index 1 the
// transparent colour elsewhere; `entries` palette entries in all (2 or 4).
IndexedImage thresholdText(const RgbaImage& image, uint8_t cut, int entries);

}  // namespace artwork
