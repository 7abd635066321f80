// libFuzzer target: the bitmap-file check accepts or raises EInvalidGraphic, nothing else, and
// every file it accepts decodes to its width x height of opaque colours.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "skin/bitmap_decode.h"
#include "core/errors.h"
#include "core/image_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    ss::CheckBitmapFile(bytes);
  } catch (const ss::EInvalidGraphic& error) {
    if (error.message() != "Bitmap image is not valid") std::abort();
    return 0;
  }
  // Accepted: the sides and the pixel count are within the limits, so the decoder never sees
  // a huge bitmap.
  const ss::BitmapSize sides = ss::BitmapFileSize(bytes);
  const std::int64_t pixels = std::int64_t{sides.width} * sides.height;
  if (sides.width < 1 || sides.width > ss::kMaxBitmapSide || sides.height < 1 ||
      sides.height > ss::kMaxBitmapSide || pixels > ss::kMaxBitmapPixels) {
    std::abort();
  }
  // A run-length file of a few bytes may declare up to kMaxBitmapPixels, 256 MiB decoded: more
  // than the fuzzer's allocation limit. Its runs are decoded alike at any size.
  constexpr std::int64_t kMostDecoded = std::int64_t{1} << 22;
  if (pixels > kMostDecoded) return 0;
  const ss::PixelImage image = ss::DecodeBitmapFile(bytes);
  if (image.width != sides.width || image.height != sides.height ||
      static_cast<std::int64_t>(image.pixels.size()) != pixels ||
      std::any_of(image.pixels.begin(), image.pixels.end(),
                  [](std::uint32_t c) { return (c >> 24) != 0; })) {
    std::abort();
  }
  return 0;
}
