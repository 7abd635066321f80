// libFuzzer target: the bitmap-file check accepts or raises EInvalidGraphic, nothing else.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

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
  if (sides.width < 1 || sides.width > ss::kMaxBitmapSide || sides.height < 1 ||
      sides.height > ss::kMaxBitmapSide ||
      std::int64_t{sides.width} * sides.height > ss::kMaxBitmapPixels) {
    std::abort();
  }
  return 0;
}
