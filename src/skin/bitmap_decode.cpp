#include "skin/bitmap_decode.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/errors.h"
#include "core/image_header.h"

namespace ss {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

// Every read lies inside the file: CheckBitmapFile has measured its parts.
std::uint32_t ReadLe(std::string_view bytes, std::size_t offset, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < size; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  }
  return value;
}

// Blue, green and red bytes, as palettes and 24-bit pixels store them.
std::uint32_t FromBgr(std::string_view bytes, std::size_t offset) {
  return ReadLe(bytes, offset + 2, 1) | ReadLe(bytes, offset + 1, 1) << 8 |
         ReadLe(bytes, offset, 1) << 16;
}

// One colour channel of a 16- or 32-bit pixel, given by its mask.
class Channel {
 public:
  explicit Channel(std::uint32_t mask)
      : mask_(mask),
        shift_(mask ? std::countr_zero(mask) : 0),
        bits_(mask ? 32 - std::countl_zero(mask) - shift_ : 0) {}

  // The channel's value widened or narrowed to 8 bits: the top 8 bits of a wider channel; a
  // narrower one repeated into the low bits, so that its largest value gives 255.
  std::uint32_t operator()(std::uint32_t pixel) const {
    if (bits_ == 0) return 0;
    const std::uint32_t value = (pixel & mask_) >> shift_;
    if (bits_ >= 8) return value >> (bits_ - 8);
    const std::uint32_t top = value << (8 - bits_);
    std::uint32_t widened = top;
    for (int shift = bits_; shift < 8; shift += bits_) widened |= top >> shift;
    return widened;
  }

 private:
  std::uint32_t mask_;
  int shift_;
  int bits_;
};

struct Format {
  std::uint32_t headerSize = 0;
  int width = 0;
  int height = 0;
  bool topDown = false;
  std::uint32_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
};

Format ReadFormat(std::string_view bytes) {
  const std::size_t h = kFileHeaderSize;
  Format format;
  format.headerSize = ReadLe(bytes, h, 4);
  const BitmapSize size = BitmapFileSize(bytes);
  format.width = size.width;
  format.height = size.height;
  if (format.headerSize == 12) {
    format.bitCount = ReadLe(bytes, h + 10, 2);
    return format;
  }
  format.topDown = static_cast<std::int32_t>(ReadLe(bytes, h + 8, 4)) < 0;
  format.bitCount = ReadLe(bytes, h + 14, 2);
  format.compression = ReadLe(bytes, h + 16, 4);
  format.colorsUsed = ReadLe(bytes, h + 32, 4);
  return format;
}

// The palette of a file of up to 8 bits per pixel, in entries of 3 bytes under the core
// header and of 4 bytes under the others.
std::vector<std::uint32_t> ReadPalette(std::string_view bytes, const Format& format) {
  const std::size_t colors =
      format.colorsUsed ? format.colorsUsed : std::size_t{1} << format.bitCount;
  const std::size_t entry = format.headerSize == 12 ? 3 : 4;
  std::vector<std::uint32_t> palette(colors);
  for (std::size_t i = 0; i < colors; ++i) {
    palette[i] = FromBgr(bytes, kFileHeaderSize + format.headerSize + i * entry);
  }
  return palette;
}

// Palette indices of a run-length file, stored rows (bottom first) of `width` each: counted
// runs of one index (RLE8) or two alternating ones (RLE4), and escapes for the end of a row,
// the end of the picture, a jump right and up, and a stretch of indices as they stand, padded
// to an even number of bytes. Nothing is written outside the picture: what runs past a row's
// end is dropped, a jump stops at the row's end, and the picture ends at its top row. The
// offset in the file of the first pair that does any of this, or whose stretch the data cuts
// short, goes to `damage` (when given and not yet set).
std::vector<std::uint8_t> DecodeRuns(std::string_view bytes, const BitmapLayout& layout,
                                     const Format& format, std::optional<std::size_t>* damage) {
  const bool rle4 = format.compression == kRle4;
  const std::size_t width = static_cast<std::size_t>(format.width);
  const std::size_t height = static_cast<std::size_t>(format.height);
  std::vector<std::uint8_t> indices(width * height, 0);
  std::size_t pos = layout.bitsOffset;
  const std::size_t end = layout.bitsOffset + layout.bitsBytes;
  std::size_t x = 0;
  std::size_t y = 0;
  std::size_t pair = pos;
  const auto byteAt = [&](std::size_t at) { return static_cast<std::uint8_t>(bytes[at]); };
  const auto damaged = [&] {
    if (damage && !*damage) *damage = pair;
  };
  // Writes `count` indices from the current place, indexAt(i) giving the i-th.
  const auto put = [&](std::size_t count, auto indexAt) {
    const std::size_t n = std::min(count, width - std::min(x, width));
    if (n < count) damaged();
    for (std::size_t i = 0; i < n; ++i) indices[y * width + x + i] = indexAt(i);
    x += count;
  };
  while (pos + 2 <= end) {
    pair = pos;
    const std::uint8_t count = byteAt(pos);
    const std::uint8_t value = byteAt(pos + 1);
    pos += 2;
    if (y >= height) {
      // Past the top row only the end of the picture may follow.
      if (count != 0 || value > 1) damaged();
      break;
    }
    if (count > 0) {
      put(count, [&](std::size_t i) -> std::uint8_t {
        return rle4 ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value;
      });
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (pos + 2 > end) {
        damaged();
        break;
      }
      if (x + byteAt(pos) > width || y + byteAt(pos + 1) >= height) damaged();
      x = std::min(x + byteAt(pos), width);
      y += byteAt(pos + 1);
      pos += 2;
    } else {
      const std::size_t stored = rle4 ? (value + 1) / 2 : value;
      if (pos + stored > end) {
        damaged();
        break;
      }
      const std::size_t from = pos;
      put(value, [&](std::size_t i) -> std::uint8_t {
        return rle4 ? (i % 2 == 0 ? byteAt(from + i / 2) >> 4 : byteAt(from + i / 2) & 0x0F)
                    : byteAt(from + i);
      });
      pos += stored + stored % 2;
    }
  }
  return indices;
}

std::uint32_t AlphaMask(std::string_view bytes, const Format& format) {
  const bool masksHoldAlpha = format.compression == kAlphaBitFields ||
                              (format.compression == kBitFields && format.headerSize >= 56);
  return format.bitCount == 32 && masksHoldAlpha ? ReadLe(bytes, kFileHeaderSize + 52, 4) : 0;
}

PixelImage Decode(std::string_view bytes, bool withAlpha) {
  const BitmapLayout layout = CheckBitmapFile(bytes);
  const Format format = ReadFormat(bytes);
  const Channel alpha(withAlpha ? AlphaMask(bytes, format) : 0);
  if (withAlpha && !AlphaMask(bytes, format)) throw EInvalidGraphic(kBitmapNotValid);
  const std::size_t width = static_cast<std::size_t>(format.width);
  const std::size_t height = static_cast<std::size_t>(format.height);
  PixelImage image{format.width, format.height, std::vector<std::uint32_t>(width * height)};
  // Stored row r is picture row r of a top-down file, counted from the bottom otherwise.
  const auto row = [&](std::size_t r) {
    const std::size_t top = format.topDown ? r : height - 1 - r;
    return image.pixels.begin() + static_cast<std::ptrdiff_t>(top * width);
  };

  const std::vector<std::uint32_t> palette =
      format.bitCount <= 8 ? ReadPalette(bytes, format) : std::vector<std::uint32_t>();
  const auto color = [&](std::uint32_t index) {
    return index < palette.size() ? palette[index] : 0u;
  };
  if (format.compression == kRle8 || format.compression == kRle4) {
    const std::vector<std::uint8_t> indices = DecodeRuns(bytes, layout, format, nullptr);
    for (std::size_t r = 0; r < height; ++r) {
      std::transform(indices.begin() + static_cast<std::ptrdiff_t>(r * width),
                     indices.begin() + static_cast<std::ptrdiff_t>((r + 1) * width), row(r), color);
    }
    return image;
  }

  const std::size_t stride = (width * format.bitCount + 31) / 32 * 4;
  // Colour masks lie at byte 40 of the information block: inside the larger headers, right
  // after the 40-byte one.
  const bool masked = format.compression == kBitFields || format.compression == kAlphaBitFields;
  const std::size_t masks = kFileHeaderSize + 40;
  const std::uint32_t defaultRed = format.bitCount == 16 ? 0x7C00 : 0xFF0000;
  const std::uint32_t defaultGreen = format.bitCount == 16 ? 0x03E0 : 0x00FF00;
  const std::uint32_t defaultBlue = format.bitCount == 16 ? 0x001F : 0x0000FF;
  const Channel red(masked ? ReadLe(bytes, masks, 4) : defaultRed);
  const Channel green(masked ? ReadLe(bytes, masks + 4, 4) : defaultGreen);
  const Channel blue(masked ? ReadLe(bytes, masks + 8, 4) : defaultBlue);
  for (std::size_t r = 0; r < height; ++r) {
    const std::size_t at = layout.bitsOffset + r * stride;
    auto out = row(r);
    for (std::size_t x = 0; x < width; ++x) {
      std::uint32_t pixel = 0;
      switch (format.bitCount) {
        case 1:
        case 4:
        case 8: {
          const std::size_t bit = x * format.bitCount;
          const std::uint32_t byte = ReadLe(bytes, at + bit / 8, 1);
          pixel = color(byte >> (8 - format.bitCount - bit % 8) & ((1u << format.bitCount) - 1));
          break;
        }
        case 24:
          pixel = FromBgr(bytes, at + x * 3);
          break;
        default: {
          const std::uint32_t stored =
              ReadLe(bytes, at + x * (format.bitCount / 8), format.bitCount / 8);
          pixel = red(stored) | green(stored) << 8 | blue(stored) << 16 | alpha(stored) << 24;
          break;
        }
      }
      out[static_cast<std::ptrdiff_t>(x)] = pixel;
    }
  }
  return image;
}

}  // namespace

PixelImage DecodeBitmapFile(std::string_view bytes) {
  return Decode(bytes, false);
}

PixelImage DecodeAlphaBitmapFile(std::string_view bytes) {
  return Decode(bytes, true);
}

std::optional<std::size_t> RunLengthDamage(std::string_view bytes) {
  const BitmapLayout layout = CheckBitmapFile(bytes);
  const Format format = ReadFormat(bytes);
  if (format.compression != kRle8 && format.compression != kRle4) return std::nullopt;
  std::optional<std::size_t> damage;
  DecodeRuns(bytes, layout, format, &damage);
  return damage;
}

}  // namespace ss
