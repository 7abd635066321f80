// Skin pictures resampled to the size a display scale needs, their key colour kept out of the
// artwork: area averaging where they shrink, a smooth cubic where they grow.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace ss {

// An opaque picture of `width` x `height` colours, top row first. Only the low three bytes of a
// colour count, in whatever channel order the caller keeps (DIB bits 0x00RRGGBB and COLORREF
// values 0x00BBGGRR alike); the top byte is ignored.
struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// `source` resampled to exactly `width` x `height` pixels, each axis on its own: an axis that
// shrinks averages the area each pixel covers, one that grows takes a Mitchell-Netravali cubic
// (weights summing to one for every pixel), one that keeps its length is copied. A size left
// unchanged returns `source` as it is. Solid areas keep their colour exactly.
//
// With a `key`, source pixels of that colour are transparent: they lend no colour to their
// neighbours. A pixel less than half covered by the other pixels becomes exactly the key; any
// other pixel is their colour, nudged by one in its lowest byte should it come out as the key,
// so the picture's outline is the source's scaled, without pink fringes, holes or strays.
// Resampled pixels have a top byte of 0.
//
// A width or height below 1 gives no pixels. Raises EInvalidGraphic "Bitmap image is not
// valid" for a size the launcher would refuse as a bitmap (a side above kMaxBitmapSide or more
// than kMaxBitmapPixels pixels), and std::invalid_argument for a source with no pixels or other
// than its width x height.
PixelImage Resample(const PixelImage& source, int width, int height,
                    std::optional<std::uint32_t> key);

}  // namespace ss
