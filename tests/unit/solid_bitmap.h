// A bitmap file of one colour, for tests on the host and under Wine alike.
#pragma once

#include <cstdint>
#include <string>

namespace ss::test {

// A 24-bit bottom-up bitmap file of `width` x `height` pixels of `colour` (0x00BBGGRR).
inline std::string SolidBitmapFile(int width, int height, std::uint32_t colour) {
  const int stride = (width * 3 + 3) / 4 * 4;
  std::string s = "BM";
  const auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  put(54 + stride * height, 4), put(0, 4), put(54, 4);
  put(40, 4), put(width, 4), put(height, 4), put(1, 2), put(24, 2), put(0, 4);
  put(stride * height, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      put((colour >> 16) | (colour & 0xFF00) | (colour & 0xFF) << 16, 3);
    }
    put(0, stride - width * 3);
  }
  return s;
}

}  // namespace ss::test
