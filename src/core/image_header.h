// Checks of icon and bitmap file contents before the system decodes them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ss {

// Raises EReadError "Stream read error" for a file shorter than its 6-byte header, and
// EInvalidGraphic "Icon image is not valid" for anything but a well-formed icon directory
// whose images all lie inside the file.
void CheckIconFile(std::string_view bytes);

// One image of an icon file: where its bytes lie.
struct IconImage {
  std::size_t offset = 0;
  std::size_t bytes = 0;
};

// The image of a file that passed CheckIconFile that best fits a square of `size` pixels: the
// least difference in width plus height (a stored side of 0 meaning 256), then the most bits
// per pixel, then the first in the directory.
IconImage BestIconImage(std::string_view bytes, int size);

// The largest width or height of a bitmap that the launcher accepts.
inline constexpr int kMaxBitmapSide = 32768;
// The most pixels a bitmap may hold (8192 x 8192, 256 MiB at 32 bits): a run-length file of a
// few megabytes can declare far more, and each pixel costs memory once decoded. A picture
// resampled for the screen's scale is held to the same limit.
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t{8192} * 8192;

// Where the parts of a checked bitmap file lie.
struct BitmapLayout {
  // The information header with its colour masks and palette, as one bitmap-info block.
  std::size_t infoOffset = 0;
  std::size_t infoBytes = 0;
  // The pixel rows.
  std::size_t bitsOffset = 0;
  std::size_t bitsBytes = 0;
  // Uncompressed rows under an information header of 40 bytes or more: the block and the rows
  // can be handed to a bitmap as they stand. Other files go through the system's file loader.
  bool plain = false;
};

// Raises EInvalidGraphic "Bitmap image is not valid" unless the bytes are a Windows bitmap
// file whose headers, palette and pixel data all fit the file, with sides from 1 to
// kMaxBitmapSide pixels and at most kMaxBitmapPixels pixels in all, whatever its compression.
BitmapLayout CheckBitmapFile(std::string_view bytes);

// Width and height of a bitmap file that passed CheckBitmapFile.
struct BitmapSize {
  int width = 0;
  int height = 0;
};
BitmapSize BitmapFileSize(std::string_view bytes);

}  // namespace ss
