#include "core/image_header.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/errors.h"

namespace ss {
namespace {

void Put16(std::string& s, std::uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}
void Put32(std::string& s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// An icon file with one image of `imageSize` bytes.
std::string Icon(std::uint16_t type = 1, std::uint32_t imageSize = 40) {
  std::string s;
  Put16(s, 0);
  Put16(s, type);
  Put16(s, 1);
  s += std::string("\x20\x20\x00\x00\x01\x00\x20\x00", 8);
  Put32(s, imageSize);
  Put32(s, 22);
  s += std::string(imageSize, '\0');
  return s;
}

template <class E>
void ExpectError(const std::string& bytes, const char* message) {
  try {
    CheckIconFile(bytes);
    ADD_FAILURE() << "accepted";
  } catch (const E& error) {
    EXPECT_EQ(error.message(), message);
  }
}

TEST(CheckIconFile, AcceptsAWellFormedDirectory) {
  EXPECT_NO_THROW(CheckIconFile(Icon()));
}

TEST(CheckIconFile, ShortFileIsAStreamReadError) {
  ExpectError<EReadError>("", "Stream read error");
  ExpectError<EReadError>(Icon().substr(0, 5), "Stream read error");
}

TEST(CheckIconFile, WrongTypeOrDamagedDirectoryIsAnInvalidIcon) {
  ExpectError<EInvalidGraphic>(Icon(2), "Icon image is not valid");
  ExpectError<EInvalidGraphic>(Icon(0), "Icon image is not valid");
  // Header only, no directory entry.
  ExpectError<EInvalidGraphic>(Icon().substr(0, 6), "Icon image is not valid");
  // The image runs past the end of the file.
  ExpectError<EInvalidGraphic>(Icon().substr(0, 50), "Icon image is not valid");
  std::string noImages = Icon();
  noImages[4] = 0;
  ExpectError<EInvalidGraphic>(noImages, "Icon image is not valid");
  std::string huge = Icon();
  huge[14] = huge[15] = huge[16] = huge[17] = '\xFF';
  ExpectError<EInvalidGraphic>(huge, "Icon image is not valid");
}

// An icon directory of square images, each {stored side, bits per pixel}, each image 40 bytes
// at offsets in directory order.
std::string IconOf(const std::vector<std::pair<int, int>>& images) {
  std::string s;
  Put16(s, 0);
  Put16(s, 1);
  Put16(s, static_cast<std::uint16_t>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (auto [side, bits] : images) {
    s += static_cast<char>(side);
    s += static_cast<char>(side);
    s += std::string(2, '\0');
    Put16(s, 1);
    Put16(s, static_cast<std::uint16_t>(bits));
    Put32(s, 40);
    Put32(s, offset);
    offset += 40;
  }
  s += std::string(40 * images.size(), '\0');
  return s;
}

// Which image BestIconImage picks, counted from 0.
size_t Picked(const std::string& icon, int size) {
  const size_t count = static_cast<unsigned char>(icon[4]);
  const IconImage image = BestIconImage(icon, size);
  EXPECT_EQ(image.bytes, 40u);
  return (image.offset - (6 + 16 * count)) / 40;
}

TEST(BestIconImage, PicksTheClosestSideWithAStoredZeroMeaning256) {
  const std::string icon = IconOf({{0, 32}, {64, 32}, {48, 32}, {32, 32}, {24, 32}, {16, 32}});
  ASSERT_NO_THROW(CheckIconFile(icon));
  EXPECT_EQ(Picked(icon, 16), 5u);
  EXPECT_EQ(Picked(icon, 32), 3u);
  EXPECT_EQ(Picked(icon, 256), 0u);
  EXPECT_EQ(Picked(icon, 200), 0u);
  EXPECT_EQ(Picked(icon, 100), 1u);
  EXPECT_EQ(Picked(icon, 1), 5u);
  // Halfway between two sides: the first in the directory.
  EXPECT_EQ(Picked(icon, 20), 4u);
  EXPECT_EQ(Picked(icon, 40), 2u);
}

TEST(BestIconImage, AmongEqualSidesTheMostBitsPerPixelWin) {
  EXPECT_EQ(Picked(IconOf({{32, 4}, {32, 32}, {32, 8}}), 32), 1u);
  EXPECT_EQ(Picked(IconOf({{32, 8}, {32, 8}}), 32), 0u);
  // A closer side beats more bits.
  EXPECT_EQ(Picked(IconOf({{48, 32}, {32, 4}}), 32), 1u);
  EXPECT_EQ(Picked(IconOf({{16, 24}}), 48), 0u);
}

}  // namespace
}  // namespace ss

namespace ss {
namespace {

// A Windows bitmap file built field by field; each test changes what it is about.
struct BmpFields {
  std::uint32_t headerSize = 40;
  std::int32_t width = 5;
  std::int32_t height = 3;
  std::uint16_t planes = 1;
  std::uint16_t bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::int64_t sizeImage = -1;       // -1: the pixel data's length
  std::int64_t dataOffset = -1;      // -1: right after headers, masks and palette
  std::int64_t paletteEntries = -1;  // -1: what bitCount and colorsUsed call for
  std::string masks;
  std::string data;  // empty: stride x rows bytes of a pattern
  bool explicitData = false;

  std::string build() const {
    std::string info;
    if (headerSize == 12) {
      Put32(info, 12);
      Put16(info, static_cast<std::uint16_t>(width));
      Put16(info, static_cast<std::uint16_t>(height));
      Put16(info, planes);
      Put16(info, bitCount);
    } else {
      Put32(info, headerSize);
      Put32(info, static_cast<std::uint32_t>(width));
      Put32(info, static_cast<std::uint32_t>(height));
      Put16(info, planes);
      Put16(info, bitCount);
      Put32(info, compression);
      Put32(info, 0);  // sizeImage, set below
      Put32(info, 2835);
      Put32(info, 2835);
      Put32(info, colorsUsed);
      Put32(info, 0);
      info.resize(headerSize, '\0');
    }
    std::string pixels = data;
    if (!explicitData) {
      const std::uint64_t rows =
          static_cast<std::uint64_t>(height < 0 ? -std::int64_t{height} : std::int64_t{height});
      const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
      pixels.assign(static_cast<size_t>(stride * rows), '\x5A');
    }
    if (headerSize != 12) {
      const std::uint32_t size = sizeImage < 0 ? static_cast<std::uint32_t>(pixels.size())
                                               : static_cast<std::uint32_t>(sizeImage);
      for (int i = 0; i < 4; ++i) info[20 + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    }
    std::int64_t entries = paletteEntries;
    if (entries < 0) entries = colorsUsed ? colorsUsed : (bitCount <= 8 ? 1 << bitCount : 0);
    const std::string palette(static_cast<size_t>(entries) * (headerSize == 12 ? 3 : 4), '\x11');
    const std::string body = info + masks + palette + pixels;
    std::string file = "BM";
    Put32(file, static_cast<std::uint32_t>(14 + body.size()));
    Put32(file, 0);
    Put32(file, dataOffset < 0
                    ? static_cast<std::uint32_t>(14 + info.size() + masks.size() + palette.size())
                    : static_cast<std::uint32_t>(dataOffset));
    return file + body;
  }
};

void ExpectInvalidBitmap(const std::string& bytes, const std::string& what) {
  try {
    CheckBitmapFile(bytes);
    ADD_FAILURE() << what << ": accepted";
  } catch (const EInvalidGraphic& error) {
    EXPECT_EQ(error.message(), "Bitmap image is not valid") << what;
  } catch (...) {
    ADD_FAILURE() << what << ": another error";
  }
}

BmpFields With(void (*change)(BmpFields&)) {
  BmpFields fields;
  change(fields);
  return fields;
}

TEST(CheckBitmapFile, AcceptsEveryKindTheLauncherLoads) {
  EXPECT_NO_THROW(CheckBitmapFile(BmpFields{}.build()));
  EXPECT_NO_THROW(CheckBitmapFile(With([](BmpFields& s) { s.height = -3; }).build()));
  for (std::uint16_t bits : {1, 4, 8, 16, 32}) {
    BmpFields fields;
    fields.bitCount = bits;
    EXPECT_NO_THROW(CheckBitmapFile(fields.build())) << bits << " bits";
  }
  EXPECT_NO_THROW(CheckBitmapFile(With([](BmpFields& s) {
                                    s.bitCount = 8;
                                    s.colorsUsed = 3;
                                  }).build()));
  EXPECT_NO_THROW(CheckBitmapFile(With([](BmpFields& s) {
                                    s.bitCount = 32;
                                    s.compression = 3;
                                    s.masks = std::string(12, '\xFF');
                                  }).build()));
  EXPECT_NO_THROW(CheckBitmapFile(With([](BmpFields& s) { s.headerSize = 124; }).build()));
  EXPECT_NO_THROW(CheckBitmapFile(With([](BmpFields& s) { s.headerSize = 12; }).build()));
  // The largest sides allowed.
  EXPECT_NO_THROW(CheckBitmapFile(With([](BmpFields& s) {
                                    s.width = kMaxBitmapSide;
                                    s.height = 1;
                                    s.bitCount = 1;
                                  }).build()));
  EXPECT_NO_THROW(CheckBitmapFile(With([](BmpFields& s) {
                                    s.width = 1;
                                    s.height = -kMaxBitmapSide;
                                    s.bitCount = 1;
                                  }).build()));
  // Run-length data whose stated size lies inside the file.
  EXPECT_NO_THROW(CheckBitmapFile(With([](BmpFields& s) {
                                    s.bitCount = 8;
                                    s.compression = 1;
                                    s.explicitData = true;
                                    s.data = std::string("\x04\x01\x00\x00\x04\x02\x00\x01", 8);
                                  }).build()));
}

TEST(CheckBitmapFile, EveryTruncationOfAValidFileIsRejected) {
  const std::string good = BmpFields{}.build();
  for (size_t length = 0; length < good.size(); ++length) {
    ExpectInvalidBitmap(good.substr(0, length), "cut to " + std::to_string(length));
  }
}

TEST(CheckBitmapFile, WrongSignatureOrHeaderIsRejected) {
  std::string file = BmpFields{}.build();
  file[0] = 'M';
  file[1] = 'B';
  ExpectInvalidBitmap(file, "signature MB");
  for (std::uint32_t size : {0u, 11u, 39u, 44u, 0xFFFFFFFFu}) {
    std::string bytes = BmpFields{}.build();
    for (int i = 0; i < 4; ++i) bytes[14 + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    ExpectInvalidBitmap(bytes, "header size " + std::to_string(size));
  }
  // A V5 header that the file does not hold in full.
  ExpectInvalidBitmap(With([](BmpFields& s) { s.headerSize = 124; }).build().substr(0, 100),
                      "header past the end");
}

TEST(CheckBitmapFile, SidesMustBePositiveAndWithinTheLimit) {
  const std::pair<std::int32_t, std::int32_t> sides[] = {
      {0, 3},
      {5, 0},
      {-5, 3},
      {kMaxBitmapSide + 1, 1},
      {1, kMaxBitmapSide + 1},
      {1, -kMaxBitmapSide - 1},
      {1, INT32_MIN},
      {INT32_MIN, 1},
      {INT32_MAX, INT32_MAX},
  };
  for (const auto& [width, height] : sides) {
    BmpFields fields;
    fields.width = width;
    fields.height = height;
    fields.bitCount = 1;
    fields.explicitData = true;
    fields.data = std::string(64, '\0');
    ExpectInvalidBitmap(fields.build(), std::to_string(width) + " x " + std::to_string(height));
  }
  // The core header's 16-bit sides: 65535 is over the limit.
  BmpFields core;
  core.headerSize = 12;
  core.width = 0xFFFF;
  core.height = 1;
  core.bitCount = 1;
  ExpectInvalidBitmap(core.build(), "core 65535 wide");
}

TEST(CheckBitmapFile, PixelCountIsLimitedWhateverTheCompression) {
  // Run-length files state a few bytes of data whatever sides they declare.
  auto runLength = [](std::int32_t width, std::int32_t height, std::uint16_t bits) {
    BmpFields fields;
    fields.width = width;
    fields.height = height;
    fields.bitCount = bits;
    fields.compression = bits == 8 ? 1 : 2;
    fields.explicitData = true;
    fields.data = std::string("\x00\x01", 2);
    return fields.build();
  };
  EXPECT_NO_THROW(CheckBitmapFile(runLength(8192, 8192, 8)));
  EXPECT_NO_THROW(CheckBitmapFile(runLength(kMaxBitmapSide, 2048, 4)));
  ExpectInvalidBitmap(runLength(kMaxBitmapSide, kMaxBitmapSide, 8), "RLE8 32768 x 32768");
  ExpectInvalidBitmap(runLength(8193, 8192, 8), "RLE8 8193 x 8192");
  ExpectInvalidBitmap(runLength(kMaxBitmapSide, 2049, 4), "RLE4 32768 x 2049");
  // Uncompressed rows that the file holds in full are refused as well.
  ExpectInvalidBitmap(With([](BmpFields& s) {
                        s.width = 8192;
                        s.height = -8193;
                        s.bitCount = 1;
                      }).build(),
                      "1 bit 8192 x 8193");
}

TEST(CheckBitmapFile, PlanesBitCountsAndCompressionsMustMatch) {
  ExpectInvalidBitmap(With([](BmpFields& s) { s.planes = 0; }).build(), "planes 0");
  ExpectInvalidBitmap(With([](BmpFields& s) { s.planes = 2; }).build(), "planes 2");
  for (std::uint16_t bits : {0, 2, 3, 7, 12, 48, 64}) {
    BmpFields fields;
    fields.bitCount = bits;
    fields.paletteEntries = 0;
    ExpectInvalidBitmap(fields.build(), std::to_string(bits) + " bits");
  }
  // Run-length with the wrong depth, stored top-down, and compressions we do not decode.
  ExpectInvalidBitmap(With([](BmpFields& s) { s.compression = 1; }).build(), "RLE8 24 bits");
  ExpectInvalidBitmap(With([](BmpFields& s) {
                        s.bitCount = 8;
                        s.compression = 2;
                      }).build(),
                      "RLE4 8 bits");
  ExpectInvalidBitmap(With([](BmpFields& s) {
                        s.bitCount = 8;
                        s.compression = 1;
                        s.height = -3;
                      }).build(),
                      "RLE8 top-down");
  ExpectInvalidBitmap(With([](BmpFields& s) { s.compression = 3; }).build(), "bitfields 24");
  for (std::uint32_t c : {4u, 5u, 7u, 0xFFFFFFFFu}) {
    BmpFields fields;
    fields.compression = c;
    ExpectInvalidBitmap(fields.build(), "compression " + std::to_string(c));
  }
  // The core header has neither 16 nor 32 bits per pixel.
  ExpectInvalidBitmap(With([](BmpFields& s) {
                        s.headerSize = 12;
                        s.bitCount = 32;
                      }).build(),
                      "core 32 bits");
}

TEST(CheckBitmapFile, PaletteAndPixelsMustLieInsideTheFile) {
  ExpectInvalidBitmap(With([](BmpFields& s) {
                        s.bitCount = 8;
                        s.colorsUsed = 257;
                      }).build(),
                      "257 colours at 8 bits");
  // The pixels start inside the palette, or inside the header.
  ExpectInvalidBitmap(With([](BmpFields& s) {
                        s.bitCount = 8;
                        s.dataOffset = 14 + 40 + 16;
                      }).build(),
                      "pixels inside the palette");
  ExpectInvalidBitmap(With([](BmpFields& s) { s.dataOffset = 14 + 39; }).build(),
                      "pixels inside the header");
  ExpectInvalidBitmap(With([](BmpFields& s) { s.dataOffset = 0; }).build(), "offset 0");
  ExpectInvalidBitmap(With([](BmpFields& s) { s.dataOffset = 0xFFFFFFFF; }).build(),
                      "offset past the end");
  // A palette stated for a 24-bit bitmap but missing from the file.
  ExpectInvalidBitmap(With([](BmpFields& s) {
                        s.colorsUsed = 0x40000000;
                        s.paletteEntries = 0;
                      }).build(),
                      "24-bit palette missing");
  // Rows padded to four bytes: one byte short of the last row's padding.
  std::string padded = With([](BmpFields& s) { s.width = 1; }).build();
  ExpectInvalidBitmap(padded.substr(0, padded.size() - 1), "padding missing");
  // Run-length data: no stated size, or more than the file holds.
  for (std::int64_t size : {0, 4096}) {
    BmpFields fields;
    fields.bitCount = 8;
    fields.compression = 1;
    fields.explicitData = true;
    fields.data = std::string("\x04\x01\x00\x01", 4);
    fields.sizeImage = size;
    ExpectInvalidBitmap(fields.build(), "RLE size " + std::to_string(size));
  }
}

// Where CheckBitmapFile places the information block and the rows of a file.
void ExpectLayout(const std::string& bytes, size_t infoBytes, size_t bitsOffset, size_t bitsBytes) {
  const BitmapLayout layout = CheckBitmapFile(bytes);
  EXPECT_EQ(layout.infoOffset, 14u);
  EXPECT_EQ(layout.infoBytes, infoBytes);
  EXPECT_EQ(layout.bitsOffset, bitsOffset);
  EXPECT_EQ(layout.bitsBytes, bitsBytes);
  EXPECT_TRUE(layout.plain);
}

TEST(CheckBitmapFile, LayoutLocatesHeaderMasksPaletteAndRows) {
  // 24 bits, 5 pixels a row: 16-byte rows (15 and padding), 3 of them.
  ExpectLayout(BmpFields{}.build(), 40, 54, 48);
  // Colour masks after a 40-byte header belong to the information block.
  ExpectLayout(With([](BmpFields& s) {
                 s.bitCount = 16;
                 s.compression = 3;
                 s.masks = std::string(12, '\x0F');
               }).build(),
               52, 66, 36);
  // So does a palette of 16 colours; the rows start where the file header says, past a gap.
  ExpectLayout(With([](BmpFields& s) {
                 s.bitCount = 4;
                 s.colorsUsed = 16;
                 s.dataOffset = 14 + 40 + 64 + 10;
                 s.data = std::string(10, '\0') + std::string(12, '\x21');
                 s.explicitData = true;
               }).build(),
               104, 128, 12);
}

TEST(CheckBitmapFile, RunLengthAndCoreHeaderFilesAreNotPlain) {
  const BitmapLayout rle = CheckBitmapFile(With([](BmpFields& s) {
                                             s.bitCount = 8;
                                             s.compression = 1;
                                             s.data = std::string("\x00\x01", 2);
                                             s.explicitData = true;
                                           }).build());
  EXPECT_FALSE(rle.plain);
  EXPECT_EQ(rle.bitsBytes, 2u);
  EXPECT_FALSE(CheckBitmapFile(With([](BmpFields& s) { s.headerSize = 12; }).build()).plain);
  EXPECT_FALSE(CheckBitmapFile(With([](BmpFields& s) {
                                 s.headerSize = 108;
                                 s.bitCount = 32;
                                 s.compression = 6;
                               }).build())
                   .plain);
}

TEST(BitmapFileSize, GivesTheSidesOfBottomUpAndTopDownFiles) {
  const BitmapSize up = BitmapFileSize(With([](BmpFields& s) { s.width = 7; }).build());
  EXPECT_EQ(up.width, 7);
  EXPECT_EQ(up.height, 3);
  const BitmapSize down = BitmapFileSize(With([](BmpFields& s) { s.height = -9; }).build());
  EXPECT_EQ(down.height, 9);
}

}  // namespace
}  // namespace ss
