// Text for the skin artwork, rendered by FreeType from TrueType fonts into coverage masks.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "tools/skingen/raster.h"

namespace ss::skingen {

// One face at one pixel size. Raises std::runtime_error when the font cannot be loaded.
class Font {
 public:
  // `embolden` thickens every stroke by that many pixels.
  Font(const std::string& path, int pixelSize, float embolden = 0);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  int pixelSize() const { return pixelSize_; }
  // Distance between the baselines of two lines.
  int lineHeight() const;
  // Height of the capitals above the baseline.
  int capHeight() const { return capHeight_; }
  // Advance width of a line of Latin-1 text, kerning included.
  int measure(std::string_view text) const;
  // Adds a line of text with its baseline starting at (x, y) to the mask.
  void draw(Mask& mask, std::string_view text, int x, int y) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  int pixelSize_;
  long embolden_;  // in 1/64 pixel
  int capHeight_ = 0;
};

// Horizontal placement of a block of lines.
enum class Align { Left, Center };

// Draws `text` (lines separated by '\n') in `color` with its block centred vertically in `box`
// and each line aligned horizontally; returns the block's bounds. `lineGap` adds to the font's
// line height.
Rect DrawText(Image& image, const Font& font, std::string_view text, Rect box, Color color,
              Align align = Align::Center, int lineGap = 0);

// The same text as a mask, for shadows and glows.
Mask TextMask(const Font& font, std::string_view text, Rect box, Align align = Align::Center,
              int lineGap = 0);

}  // namespace ss::skingen
