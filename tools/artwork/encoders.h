// Writers for the four file formats the pictures travel in.
#pragma once

#include "image.h"

#include <string>

namespace artwork {

// Writes a single-frame GIF, version 89a or 87a. A picture with a transparent
// index gets a graphic control extension naming it, which only 89a allows.
void writeGif(const std::string& path, const IndexedImage& image, bool gif89);

// Writes a baseline (sequential) JPEG with 24-bit colour; alpha is ignored.
void writeJpeg(const std::string& path, const RgbaImage& image, int quality);

// Writes a PNG of 8-bit channels: grey where every pixel is, with alpha unless
// every pixel is opaque.
void writePng(const std::string& path, const RgbaImage& image);

// Writes a one-image .ico: 4 bits per pixel with the given 16 colours and an
// all-zero AND mask, so every pixel is opaque.
void writeIco16(const std::string& path, const IndexedImage& image);

}  // namespace artwork
