// A bitmap file of one colour, for tests on the host and under Wine alike.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

// A 32-bit bottom-up bitmap file of `colours` (0xAABBGGRR, one row per inner vector) whose
// information header is `header` bytes long, with bit fields and alpha mask `alphaMask` in
// compression `compression` (3, or 6 after a 40-byte header).
inline std::string AlphaBitmapFile(const std::vector<std::vector<std::uint32_t>>& rows, int header,
                                   std::uint32_t compression,
                                   std::uint32_t alphaMask = 0xFF000000) {
  const int width = static_cast<int>(rows[0].size());
  const int height = static_cast<int>(rows.size());
  const int masks = header == 40 ? 16 : 0;
  const int offset = 14 + header + masks;
  std::string s = "BM";
  const auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  put(offset + width * height * 4, 4), put(0, 4), put(offset, 4);
  put(header, 4), put(width, 4), put(height, 4), put(1, 2), put(32, 2), put(compression, 4);
  put(width * height * 4, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4);
  for (std::uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, alphaMask}) put(mask, 4);
  s.append(static_cast<size_t>(14 + header + masks) - s.size(), '\0');
  for (int y = height - 1; y >= 0; --y) {
    for (const std::uint32_t c : rows[static_cast<size_t>(y)]) {
      put((c & 0xFF00FF00u) | (c & 0xFF) << 16 | (c >> 16 & 0xFF), 4);
    }
  }
  return s;
}

}  // namespace ss::test
