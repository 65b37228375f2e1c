// The design's unit, the twip (1440 to the inch), and its one conversion to the pixels of a display
// of a given density, shared by the menu's drawing and hit-testing and by the notice.
#pragma once

#include <cmath>

namespace lcime {

constexpr int kTwipsPerInch = 1440;
constexpr int kDesignDpi = 96;  // the density of the design's pixel sizes: 15 twips to the pixel

// twips·dpi/1440 rounded to the nearest pixel, halves away from zero, negative values alike: at
// 96 pixels per inch the design's twips/15.
inline int ToPixels(double twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch)); }

inline double ToTwips(double pixels, int dpi) { return pixels * kTwipsPerInch / dpi; }

}  // namespace lcime
