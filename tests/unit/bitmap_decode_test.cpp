// The bitmap decoder: every stored format gives back the picture it was written from.
#include "skin/bitmap_decode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/errors.h"

namespace ss {
namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

constexpr std::uint32_t kDefault16[] = {0x7C00, 0x03E0, 0x001F};
constexpr std::uint32_t kDefault32[] = {0xFF0000, 0x00FF00, 0x0000FF};

void Put(std::string& s, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// How a test picture is stored.
struct Format {
  const char* name;
  int bits;
  std::uint32_t compression = kRgb;
  int header = 40;
  bool topDown = false;
  std::uint32_t masks[4] = {};  // red, green, blue, alpha; none for the default channels
};

// A file of `header` bytes of information, then masks, palette and `data` as given.
std::string File(const Format& f, int width, int height, const std::vector<std::uint32_t>& palette,
                 const std::string& data) {
  const bool masked = f.compression == kBitFields || f.compression == kAlphaBitFields;
  std::string info;
  Put(info, f.header, 4);
  if (f.header == 12) {
    Put(info, width, 2), Put(info, height, 2), Put(info, 1, 2), Put(info, f.bits, 2);
  } else {
    Put(info, width, 4), Put(info, f.topDown ? -height : height, 4);
    Put(info, 1, 2), Put(info, f.bits, 2), Put(info, f.compression, 4);
    Put(info, static_cast<std::uint32_t>(data.size()), 4), Put(info, 0, 4), Put(info, 0, 4);
    Put(info, static_cast<std::uint32_t>(palette.size()), 4), Put(info, 0, 4);
    // Masks lie inside the larger headers and after the 40-byte one.
    if (masked || f.header > 40) {
      for (int i = 0; i < (f.compression == kAlphaBitFields ? 4 : 3); ++i) Put(info, f.masks[i], 4);
    }
    info.resize(std::max<size_t>(info.size(), f.header), '\0');
  }
  for (const std::uint32_t colour : palette) {
    // Stored blue first; the reserved byte set, which must not count.
    Put(info, (colour >> 16) | (colour & 0xFF00) | (colour & 0xFF) << 16, f.header == 12 ? 3 : 4);
    if (f.header != 12) info.back() = '\x7F';
  }
  std::string file = "BM";
  Put(file, static_cast<std::uint32_t>(14 + info.size() + data.size()), 4);
  Put(file, 0, 4);
  Put(file, static_cast<std::uint32_t>(14 + info.size()), 4);
  return file + info + data;
}

// `picture` (0x00BBGGRR, top row first) stored uncompressed: through a palette of its colours
// up to 8 bits per pixel, through the format's masks (or the default channels) above.
std::string Write(const Format& f, const PixelImage& picture) {
  std::vector<std::uint32_t> palette;
  if (f.bits <= 8) {
    for (const std::uint32_t c : picture.pixels) {
      if (std::find(palette.begin(), palette.end(), c) == palette.end()) palette.push_back(c);
    }
    // The core header has no count of colours: its palette is always full.
    if (f.header == 12) palette.resize(size_t{1} << f.bits, 0);
  }
  // 24 bits are the default 32-bit channels, in 3 bytes.
  const bool defaults = f.masks[0] == 0;
  const std::uint32_t* masks = !defaults ? f.masks : f.bits == 16 ? kDefault16 : kDefault32;
  const int stride = (picture.width * f.bits + 31) / 32 * 4;
  std::string data;
  for (int r = 0; r < picture.height; ++r) {
    const int y = f.topDown ? r : picture.height - 1 - r;
    std::string row(stride, '\0');
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t c = picture.pixels[y * picture.width + x];
      if (f.bits <= 8) {
        const auto index = std::find(palette.begin(), palette.end(), c) - palette.begin();
        const int bit = x * f.bits;
        row[bit / 8] = static_cast<char>(row[bit / 8] | index << (8 - f.bits - bit % 8));
      } else {
        // Each channel's top bits at its mask; bits no mask takes are set, as alpha would be.
        std::uint32_t stored = ~(masks[0] | masks[1] | masks[2]);
        for (int i = 0; i < 3; ++i) {
          const std::uint32_t value = (c >> (8 * i)) & 0xFF;
          const int shift = std::countr_zero(masks[i]);
          const int bits = 32 - std::countl_zero(masks[i]) - shift;
          stored |= (bits >= 8 ? value << (bits - 8) : value >> (8 - bits)) << shift;
        }
        for (int i = 0; i < f.bits / 8; ++i) {
          row[x * f.bits / 8 + i] = static_cast<char>(stored >> (8 * i));
        }
      }
    }
    data += row;
  }
  return File(f, picture.width, picture.height, palette, data);
}

// Colours every format holds exactly: red apart from blue, and the key.
PixelImage Picture(size_t colours) {
  const std::uint32_t all[] = {0xFF00FF, 0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x000000};
  PixelImage picture{5, 3, {}};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) picture.pixels.push_back(all[(x + 2 * y) % colours]);
  }
  return picture;
}

TEST(DecodeBitmapFile, EveryStoredFormatGivesBackItsPicture) {
  const Format formats[] = {
      {"1 bit", 1},
      {"4 bits, top-down", 4, kRgb, 40, true},
      {"8 bits", 8},
      {"8 bits, core header", 8, kRgb, 12},
      {"24 bits, core header", 24, kRgb, 12},
      {"24 bits, top-down", 24, kRgb, 40, true},
      {"24 bits, v5 header", 24, kRgb, 124},
      {"16 bits, 5-5-5", 16},
      {"16 bits, 5-6-5 masks", 16, kBitFields, 40, false, {0xF800, 0x07E0, 0x001F}},
      {"16 bits, 4-4-4 masks in the header", 16, kBitFields, 56, true, {0x0F00, 0x00F0, 0x000F}},
      {"32 bits, alpha byte set", 32, kRgb, 108},
      {"32 bits, red lowest", 32, kBitFields, 124, true, {0x0000FF, 0x00FF00, 0xFF0000}},
      {"32 bits, 10-10-10",
       32,
       kAlphaBitFields,
       40,
       false,
       {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000}},
  };
  for (const Format& format : formats) {
    SCOPED_TRACE(format.name);
    const PixelImage picture = Picture(format.bits == 1 ? 2 : 6);
    const PixelImage decoded = DecodeBitmapFile(Write(format, picture));
    EXPECT_EQ(std::pair(decoded.width, decoded.height), std::pair(picture.width, picture.height));
    EXPECT_EQ(decoded.pixels, picture.pixels);
  }
  EXPECT_THROW(DecodeBitmapFile(Write(formats[0], Picture(2)).substr(0, 60)), EInvalidGraphic);
}

TEST(DecodeBitmapFile, RunLengthFilesFollowTheirRunsEscapesAndJumps) {
  // Palette: white, the key, red; index 5 lies beyond it.
  const std::vector<std::uint32_t> palette = {0xFFFFFF, 0xFF00FF, 0x0000FF};
  const std::uint32_t w = palette[0], k = palette[1], r = palette[2], black = 0;
  struct Case {
    const char* name;
    Format format;
    int width;
    int height;
    std::string runs;                     // bottom row first
    std::vector<std::uint32_t> expected;  // top row first
  };
  const Case cases[] = {
      {"RLE8",
       {"", 8, kRle8},
       6,
       3,
       // A run of 3; 3 indices as they stand, padded; end of row. A run of 8 cut at the row's
       // end, not spilling over. A jump 2 right, a run of an index beyond the palette, the end.
       std::string("\x03\x01\x00\x03\x02\x00\x01\x00\x00\x00"
                   "\x08\x02\x00\x00"
                   "\x00\x02\x02\x00\x01\x05\x00\x01",
                   22),
       {w, w, black, w, w, w,  //
        r, r, r, r, r, r,      //
        k, k, k, r, w, k}},
      {"RLE4",
       {"", 4, kRle4},
       5,
       2,
       // A run of 5 alternating two indices; 3 nibbles as they stand in two bytes; the end.
       std::string("\x05\x12\x00\x00\x00\x03\x21\x20\x00\x01", 10),
       {r, k, r, w, w,  //
        k, r, k, r, k}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PixelImage decoded = DecodeBitmapFile(File(c.format, c.width, c.height, palette, c.runs));
    EXPECT_EQ(decoded.pixels, c.expected);
  }
}

TEST(RunLengthDamage, NamesTheFirstPairThatTheDecoderHasToClip) {
  const std::vector<std::uint32_t> palette = {0xFFFFFF, 0x0000FF};
  struct Case {
    const char* name;
    std::string runs;  // of a 4 x 2 RLE8 picture, bottom row first
    std::optional<std::size_t> damage;
  };
  const Case cases[] = {
      {"sound", std::string("\x02\x01\x00\x02\x01\x01\x01\x01\x00\x01", 10), {}},
      {"run past its row", std::string("\x04\x01\x00\x00\x05\x01\x00\x01", 8), 4},
      {"stretch past its row", std::string("\x02\x01\x00\x03\x01\x01\x01\x00\x00\x01", 10), 2},
      {"jump right out of the row", std::string("\x01\x01\x00\x02\x04\x00\x00\x01", 8), 2},
      {"jump above the top", std::string("\x00\x02\x00\x02\x00\x01", 6), 0},
      {"run above the top", std::string("\x04\x01\x00\x00\x04\x01\x00\x00\x01\x01\x00\x01", 12), 8},
      {"stretch cut short", std::string("\x04\x01\x00\x00\x00\x04\x01", 7), 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = File({"", 8, kRle8}, 4, 2, palette, c.runs);
    const std::size_t bits = file.size() - c.runs.size();
    const std::optional<std::size_t> damage = RunLengthDamage(file);
    EXPECT_EQ(damage, c.damage ? std::optional(bits + *c.damage) : std::nullopt);
    // Clipped, never thrown.
    EXPECT_EQ(DecodeBitmapFile(file).pixels.size(), 8u);
  }
  EXPECT_EQ(RunLengthDamage(Write({"", 24}, Picture(2))), std::nullopt);
}

}  // namespace
}  // namespace ss
