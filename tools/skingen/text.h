// Text for the skin artwork in any script, shaped by HarfBuzz and rendered by FreeType from
// TrueType fonts into coverage masks.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "tools/skingen/raster.h"

namespace ss::skingen {

// One face at one size for pictures at `scale` pixels per design unit. Raises
// std::runtime_error when the font cannot be loaded.
class Font {
 public:
  // `size` and `embolden` (which thickens every stroke) in design units; the face is rendered
  // at `size` times the scale in pixels, rounded, so text is drawn afresh at every scale.
  Font(const std::string& path, int size, float embolden = 0, float scale = 1);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  int pixelSize() const { return pixelSize_; }
  float scale() const { return scale_; }
  // Distance between the baselines of two lines.
  int lineHeight() const;
  // Height of the capitals above the baseline.
  int capHeight() const { return capHeight_; }
  // Advance width of a line of UTF-8 text in pixels, shaped, kerning included.
  int measure(std::string_view text) const;
  // The same in design units.
  float designWidth(std::string_view text) const { return measure(text) / scale_; }
  // Adds a line of text with its baseline starting at (x, y) to the mask.
  void draw(Mask& mask, std::string_view text, int x, int y) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  int pixelSize_;
  float scale_;
  long embolden_;  // in 1/64 pixel
  int capHeight_ = 0;
};

// Horizontal placement of a block of lines.
enum class Align { Left, Center, Right };

// Draws `text` (lines separated by '\n') in `color` with its block centred vertically in `box`
// and each line aligned horizontally; returns the block's bounds. `lineGap` adds to the font's
// line height. Box, gap and bounds are in design units; raises std::logic_error unless the font
// is made for the image's scale. On an image that keeps drawings, the text is kept, to be
// drawn aligned to the other side of the box it is given then.
Rect DrawText(Image& image, const Font& font, std::string_view text, Rect box, Color color,
              Align align = Align::Center, int lineGap = 0);

// The same text as a mask, for shadows and glows.
Mask TextMask(const Font& font, std::string_view text, Rect box, Align align = Align::Center,
              int lineGap = 0);

}  // namespace ss::skingen
