// Windows bitmap and icon files for the skins: 24-bit bitmaps written bottom-up, 32-bit icons
// whose 256-pixel image is a PNG image.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/skingen/raster.h"

namespace ss::skingen {

// Pixels as 0xRRGGBB (or 0xAARRGGBB for icons), top row first.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;
  std::uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

Pixels ToPixels(const Image& image);

// A 24-bit bottom-up Windows bitmap file (BITMAPINFOHEADER, rows padded to 4 bytes), as
// LoadImageA reads it.
std::string EncodeBmp(const Pixels& pixels);
// Reads back a 24-bit bitmap file as EncodeBmp writes it; raises std::runtime_error otherwise.
Pixels DecodeBmp(std::string_view bytes);

// A PNG file of 8-bit RGBA pixels (0xAARRGGBB, straight alpha), deflated by zlib at its best.
std::string EncodePng(const Pixels& pixels);
// Reads back a PNG file as EncodePng writes it (any row filter); raises std::runtime_error
// otherwise.
Pixels DecodePng(std::string_view bytes);

// An icon file with one 32-bit image (alpha channel plus AND mask) per entry, 256 pixels
// written as 0 in the directory as the format asks. Images of 256 pixels are stored as PNG, as
// Windows Vista and later read them: a quarter of the size or less.
std::string EncodeIco(const std::vector<Pixels>& images);
// The sides of the images in an icon file's directory.
std::vector<int> IcoSizes(std::string_view bytes);
// The images of an icon file as EncodeIco writes it, in directory order.
std::vector<Pixels> DecodeIco(std::string_view bytes);

}  // namespace ss::skingen
