// Draws every picture of the installer and writes it into one folder under
// the file names that the resource script refers to.
#pragma once

#include <string>

namespace artwork {

// Throws if a font family the pictures are drawn in is not installed, since
// Pango would otherwise quietly draw in a substitute.
void requireFonts();

// Writes every picture into `folder`, which must exist.
void generateAll(const std::string& folder);

}  // namespace artwork
