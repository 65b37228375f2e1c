// What the pictures say and in which colours: the nine menu items, the eight
// preview paragraphs, the feature list and the banner words.
#pragma once

#include "image.h"

#include <string>
#include <vector>

namespace artwork {

struct ItemArt {
    const char* stem;   // file name without the "a"/"b" suffix
    const char* words;  // centred in the capsule
    Rgb capsule;
    Rgb disc;
    int width;          // whole picture; 27 pixels high
    int capsuleWidth;   // capsule from x 0; the 25-pixel disc ends at the right edge
    bool spread;        // space-separated words stand apart instead of centred together
};

const std::vector<ItemArt>& items();

// Paragraph shown in preview picture `index` (0 to 7).
const std::vector<std::string>& previewParagraphs();

// The feature list of the large-character-set edition, one string per item.
const std::vector<std::string>& featureItems();

extern const char* const kBannerWords;

}  // namespace artwork
