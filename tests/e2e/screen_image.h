// Pixels as a user sees them: skin bitmap files read byte by byte, the screen read back, and
// the info line's text drawn the way the launcher is expected to show it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ss::e2e {

// An image of 0x00BBGGRR pixels, row by row from the top.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;

  bool empty() const { return width <= 0 || height <= 0; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // The part inside `area`, which must lie within the image.
  Image crop(const RECT& area) const;
};

// A 24-bit Windows bitmap file (what the default skins are made of); fails the test otherwise.
Image ReadBitmapFile(const std::string& path);

// The screen's pixels in `area` (screen coordinates), read from the desktop's DC.
Image CaptureScreen(const RECT& area);

// Number of pixels in which two images differ; every pixel when their sizes differ.
int DifferentPixels(const Image& a, const Image& b);

// The launcher's info line showing `text` over `background`: the white copy at `white`, then
// the dark copy at `dark` (points in the background), each in the launcher's font and sized
// to its text; "&" underlines the next character. `wrapWidth` > 0 wraps the dark copy at that
// width and draws no white one (the alternative layout's text box).
struct InfoLineStyle {
  POINT dark;
  COLORREF darkColor;
  POINT white;
  bool withWhite;
  int wrapWidth;
  int wrapHeight;
};
Image InfoLineLook(const Image& background, const InfoLineStyle& style, const std::string& text);

}  // namespace ss::e2e
