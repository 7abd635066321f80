// Checks of icon and bitmap file contents before the system decodes them.
#pragma once

#include <string_view>

namespace ss {

// Raises EReadError "Stream read error" for a file shorter than its 6-byte header, and
// EInvalidGraphic "Icon image is not valid" for anything but a well-formed icon directory
// whose images all lie inside the file.
void CheckIconFile(std::string_view bytes);

// The largest width or height of a bitmap that the launcher accepts.
inline constexpr int kMaxBitmapSide = 32768;

// Raises EInvalidGraphic "Bitmap image is not valid" unless the bytes are a Windows bitmap
// file whose headers, palette and pixel data all fit the file, with sides from 1 to
// kMaxBitmapSide pixels.
void CheckBitmapFile(std::string_view bytes);

// Width and height of a bitmap file that passed CheckBitmapFile.
struct BitmapSize {
  int width = 0;
  int height = 0;
};
BitmapSize BitmapFileSize(std::string_view bytes);

}  // namespace ss
