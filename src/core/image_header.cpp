#include "core/image_header.h"

#include <cstdint>

#include "core/errors.h"

namespace ss {

namespace {

std::uint32_t ReadLe(std::string_view bytes, size_t offset, size_t size) {
  std::uint32_t value = 0;
  for (size_t i = 0; i < size; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  }
  return value;
}

[[noreturn]] void InvalidIcon() {
  throw EInvalidGraphic(kIconNotValid);
}

}  // namespace

void CheckIconFile(std::string_view bytes) {
  constexpr size_t kHeaderSize = 6;
  constexpr size_t kEntrySize = 16;
  if (bytes.size() < kHeaderSize) throw EReadError(kStreamReadError);
  const std::uint32_t type = ReadLe(bytes, 2, 2);
  const std::uint32_t count = ReadLe(bytes, 4, 2);
  if (type > 1) InvalidIcon();
  // Type 0 is no icon either, and an icon needs at least one image.
  if (type == 0 || count == 0) InvalidIcon();
  if (bytes.size() < kHeaderSize + count * kEntrySize) InvalidIcon();
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = kHeaderSize + i * kEntrySize;
    const std::uint64_t size = ReadLe(bytes, entry + 8, 4);
    const std::uint64_t offset = ReadLe(bytes, entry + 12, 4);
    // Each image holds at least a 40-byte header and lies wholly inside the file.
    if (size < 40 || offset < kHeaderSize + count * kEntrySize || offset + size > bytes.size()) {
      InvalidIcon();
    }
  }
}

IconImage BestIconImage(std::string_view bytes, int size) {
  constexpr size_t kHeaderSize = 6;
  constexpr size_t kEntrySize = 16;
  const std::uint32_t count = ReadLe(bytes, 4, 2);
  const auto side = [](std::uint32_t stored) -> std::int64_t { return stored == 0 ? 256 : stored; };
  size_t best = 0;
  std::int64_t bestDistance = -1;
  std::uint32_t bestBits = 0;
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = kHeaderSize + i * kEntrySize;
    const std::int64_t dx = side(ReadLe(bytes, entry, 1)) - size;
    const std::int64_t dy = side(ReadLe(bytes, entry + 1, 1)) - size;
    const std::int64_t distance = (dx < 0 ? -dx : dx) + (dy < 0 ? -dy : dy);
    const std::uint32_t bits = ReadLe(bytes, entry + 6, 2);
    if (bestDistance < 0 || distance < bestDistance ||
        (distance == bestDistance && bits > bestBits)) {
      best = entry;
      bestDistance = distance;
      bestBits = bits;
    }
  }
  return {ReadLe(bytes, best + 12, 4), ReadLe(bytes, best + 8, 4)};
}

namespace {

[[noreturn]] void InvalidBitmap() {
  throw EInvalidGraphic(kBitmapNotValid);
}

struct BitmapInfo {
  std::uint32_t headerSize = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative for top-down bitmaps
  std::uint32_t planes = 0;
  std::uint32_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t sizeImage = 0;
  std::uint32_t colorsUsed = 0;
};

constexpr size_t kFileHeaderSize = 14;

BitmapInfo ReadBitmapInfo(std::string_view bytes) {
  if (bytes.size() < kFileHeaderSize + 12 || bytes[0] != 'B' || bytes[1] != 'M') InvalidBitmap();
  BitmapInfo info;
  info.headerSize = ReadLe(bytes, kFileHeaderSize, 4);
  const size_t h = kFileHeaderSize;
  if (info.headerSize == 12) {  // the old core header: 16-bit sides
    info.width = ReadLe(bytes, h + 4, 2);
    info.height = ReadLe(bytes, h + 6, 2);
    info.planes = ReadLe(bytes, h + 8, 2);
    info.bitCount = ReadLe(bytes, h + 10, 2);
    return info;
  }
  if (info.headerSize != 40 && info.headerSize != 52 && info.headerSize != 56 &&
      info.headerSize != 64 && info.headerSize != 108 && info.headerSize != 124) {
    InvalidBitmap();
  }
  if (bytes.size() < h + info.headerSize) InvalidBitmap();
  info.width = static_cast<std::int32_t>(ReadLe(bytes, h + 4, 4));
  info.height = static_cast<std::int32_t>(ReadLe(bytes, h + 8, 4));
  info.planes = ReadLe(bytes, h + 12, 2);
  info.bitCount = ReadLe(bytes, h + 14, 2);
  info.compression = ReadLe(bytes, h + 16, 4);
  info.sizeImage = ReadLe(bytes, h + 20, 4);
  info.colorsUsed = ReadLe(bytes, h + 32, 4);
  return info;
}

}  // namespace

BitmapLayout CheckBitmapFile(std::string_view bytes) {
  const BitmapInfo info = ReadBitmapInfo(bytes);
  const std::int64_t rows = info.height < 0 ? -info.height : info.height;
  if (info.width < 1 || info.width > kMaxBitmapSide || rows < 1 || rows > kMaxBitmapSide) {
    InvalidBitmap();
  }
  // Checked before anything is decoded: a run-length file need not hold its pixels to declare
  // them. Both sides are at most kMaxBitmapSide here, so the product cannot overflow.
  if (info.width * rows > kMaxBitmapPixels) InvalidBitmap();
  if (info.planes != 1) InvalidBitmap();
  const std::uint32_t bpp = info.bitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) InvalidBitmap();
  // The old core header knows no 16- or 32-bit pixels.
  if (info.headerSize == 12 && (bpp == 16 || bpp == 32)) InvalidBitmap();
  constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
  const std::uint32_t c = info.compression;
  const bool compressionFits =
      c == kRgb || (c == kRle8 && bpp == 8) || (c == kRle4 && bpp == 4) ||
      ((c == kBitFields || c == kAlphaBitFields) && (bpp == 16 || bpp == 32));
  // Run-length bitmaps must be stored bottom-up.
  if (!compressionFits || ((c == kRle8 || c == kRle4) && info.height < 0)) InvalidBitmap();

  // Colour masks follow a 40-byte header; a palette follows for up to 8 bits per pixel.
  std::uint64_t tableBytes = 0;
  if (info.headerSize == 40 && c == kBitFields) tableBytes = 12;
  if (info.headerSize == 40 && c == kAlphaBitFields) tableBytes = 16;
  if (bpp <= 8) {
    const std::uint64_t maxColors = 1ull << bpp;
    if (info.colorsUsed > maxColors) InvalidBitmap();
    const std::uint64_t colors = info.colorsUsed ? info.colorsUsed : maxColors;
    tableBytes = colors * (info.headerSize == 12 ? 3 : 4);
  } else {
    // Deeper bitmaps may still carry a palette of colorsUsed entries, which decoders copy.
    tableBytes += static_cast<std::uint64_t>(info.colorsUsed) * 4;
  }
  const std::uint64_t dataOffset = ReadLe(bytes, 10, 4);
  if (dataOffset < kFileHeaderSize + info.headerSize + tableBytes || dataOffset >= bytes.size()) {
    InvalidBitmap();
  }
  BitmapLayout layout;
  layout.infoOffset = kFileHeaderSize;
  layout.infoBytes = static_cast<std::size_t>(info.headerSize + tableBytes);
  layout.bitsOffset = static_cast<std::size_t>(dataOffset);
  if (c == kRle8 || c == kRle4) {
    // Run-length decoders read sizeImage bytes, whatever the file holds.
    if (info.sizeImage == 0 || dataOffset + info.sizeImage > bytes.size()) InvalidBitmap();
    layout.bitsBytes = info.sizeImage;
    return layout;
  }
  const std::uint64_t stride = ((static_cast<std::uint64_t>(info.width) * bpp + 31) / 32) * 4;
  if (dataOffset + stride * static_cast<std::uint64_t>(rows) > bytes.size()) InvalidBitmap();
  layout.bitsBytes = static_cast<std::size_t>(stride * static_cast<std::uint64_t>(rows));
  layout.plain = info.headerSize >= 40 && (c == kRgb || c == kBitFields);
  return layout;
}

BitmapSize BitmapFileSize(std::string_view bytes) {
  const BitmapInfo info = ReadBitmapInfo(bytes);
  return {static_cast<int>(info.width),
          static_cast<int>(info.height < 0 ? -info.height : info.height)};
}

}  // namespace ss
