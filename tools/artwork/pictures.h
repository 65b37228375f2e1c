// Drawing of every picture of the menu window, as straight RGBA (or, for the
// icon, directly as a palette picture), at its design size or, with `scale` 2,
// at twice that size.
#pragma once

#include "content.h"
#include "image.h"

#include <string>

namespace artwork {

RgbaImage drawBackground(int scale);                                 // 596 x 444, opaque
RgbaImage drawItem(const ItemArt& item, bool highlight, int scale);  // item.width x 27
RgbaImage drawPreview(const std::string& paragraph, int scale);      // 215 x 155, black text
RgbaImage drawFeature(int scale);                                    // 651 x 165, black text
RgbaImage drawBanner(int scale);                                     // 274 x 35, opaque
RgbaImage drawPhoto(int scale);                                      // 197 x 148, opaque
IndexedImage drawIcon();                           // 16 x 16, 16 VGA colours

// Colour of the background around the menu items, for smoothing their edges.
constexpr Rgb kItemMatte{92, 152, 204};

}  // namespace artwork
