#include "skin/halo.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "core/errors.h"
#include "skin/bitmap_decode.h"
#include "solid_bitmap.h"

namespace ss {
namespace {

namespace fs = std::filesystem;

using test::AlphaBitmapFile;

std::vector<std::vector<std::uint32_t>> Filled(int width, int height, std::uint32_t colour) {
  return std::vector<std::vector<std::uint32_t>>(static_cast<size_t>(height),
                                                 std::vector<std::uint32_t>(width, colour));
}

TEST(DecodeAlphaBitmapFile, ReadsTheAlphaMaskOfLargeHeadersAndOfCompressionSixOnly) {
  const std::vector<std::vector<std::uint32_t>> rows{{0x80336699, 0xFF0000FF}, {0, 0x01FFFFFF}};
  for (const std::string& file : {AlphaBitmapFile(rows, 108, 3), AlphaBitmapFile(rows, 124, 3),
                                  AlphaBitmapFile(rows, 40, 6)}) {
    const PixelImage image = DecodeAlphaBitmapFile(file);
    EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{0x80336699, 0xFF0000FF, 0, 0x01FFFFFF}));
    // The opaque decoder keeps its top byte clear for the same file.
    EXPECT_EQ(DecodeBitmapFile(file).pixels[0], 0x00336699u);
  }
  // No alpha: a 24-bit file, 32 bits with an empty alpha mask, the 40-byte header's three masks.
  for (const std::string& file : {test::SolidBitmapFile(2, 2, 0x336699),
                                  AlphaBitmapFile(rows, 108, 3, 0), AlphaBitmapFile(rows, 40, 0)}) {
    EXPECT_THROW(DecodeAlphaBitmapFile(file), EInvalidGraphic);
  }
}

TEST(HaloMargin, IsTheSameWholeMarginOnEverySideUpToTheLimit) {
  EXPECT_EQ(HaloMargin({124, 84}, {100, 60}), 12);
  EXPECT_EQ(HaloMargin({102, 62}, {100, 60}), 1);
  EXPECT_EQ(HaloMargin({100 + 2 * kMaxHaloMargin, 60 + 2 * kMaxHaloMargin}, {100, 60}),
            kMaxHaloMargin);
  const BitmapSize wrong[] = {{124, 86},  // wider below than at the sides
                              {123, 83},  // half a pixel
                              {100, 60},  // no margin
                              {98, 58},   // smaller
                              {100 + 2 * kMaxHaloMargin + 2, 60 + 2 * kMaxHaloMargin + 2}};
  for (const BitmapSize& halo : wrong) {
    EXPECT_THROW(HaloMargin(halo, {100, 60}), EInvalidGraphic) << halo.width << "x" << halo.height;
  }
}

TEST(Premultiply, ScalesEachColourByItsAlphaRounded) {
  const PixelImage image = Premultiply({3, 1, {0x80FF8001, 0xFF123456, 0x00FFFFFF}});
  EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{0x80804001, 0xFF123456, 0}));
}

TEST(ResamplePremultiplied, LendsNoColourFromTransparentPixelsAndKeepsColoursWithinAlpha) {
  // White opaque beside transparent pixels that hold fuchsia in their colour bytes: straight
  // resampling would tint the edge pink.
  PixelImage source{4, 4, {}};
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) source.pixels.push_back(x < 2 ? 0xFFFFFFFF : 0x00FF00FF);
  }
  for (const auto& [width, height] : {std::pair{9, 9}, std::pair{3, 3}}) {
    const PixelImage out = ResamplePremultiplied(Premultiply(source), width, height);
    ASSERT_EQ(out.pixels.size(), static_cast<size_t>(width * height));
    bool blended = false;
    for (const std::uint32_t p : out.pixels) {
      const std::uint32_t alpha = p >> 24;
      // Premultiplied white: every channel equals the alpha.
      EXPECT_EQ(p & 0xFF, alpha) << std::hex << p;
      EXPECT_EQ(p >> 8 & 0xFF, alpha) << std::hex << p;
      EXPECT_EQ(p >> 16 & 0xFF, alpha) << std::hex << p;
      blended |= alpha > 0 && alpha < 255;
    }
    EXPECT_TRUE(blended);
  }
}

class HaloFolder : public testing::Test {
 protected:
  HaloFolder() {
    static std::atomic<int> serial{0};
    root_ = fs::temp_directory_path() /
            ("ss-halo-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    fs::create_directories(root_);
    write("main.bmp", test::SolidBitmapFile(10, 8, 0x336699));
  }
  ~HaloFolder() override { fs::remove_all(root_); }
  std::string path() const { return root_.string() + "/"; }
  void write(const std::string& relative, const std::string& bytes) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative, std::ios::binary | std::ios::trunc) << bytes;
  }

  fs::path root_;
};

TEST_F(HaloFolder, PreparesTheHaloPremultipliedAtTheDpiWithTheWindowsPlaceInIt) {
  EXPECT_FALSE(PrepareHalo(path(), {}, "main.bmp", 96));
  write("halo.bmp", AlphaBitmapFile(Filled(14, 12, 0x80FFFFFF), 108, 3));
  const std::optional<HaloPicture> at96 = PrepareHalo(path(), {}, "main.bmp", 96);
  ASSERT_TRUE(at96);
  EXPECT_EQ(at96->pixels.width, 14);
  EXPECT_EQ(at96->left, 2);
  EXPECT_EQ(at96->top, 2);
  EXPECT_EQ(at96->pixels.pixels[0], 0x80808080u);
  // At 200 % without a variant: resampled, the margin doubled.
  const std::optional<HaloPicture> at192 = PrepareHalo(path(), {}, "main.bmp", 192);
  ASSERT_TRUE(at192);
  EXPECT_EQ(at192->pixels.width, 28);
  EXPECT_EQ(at192->pixels.height, 24);
  EXPECT_EQ(at192->left, 4);
  EXPECT_EQ(at192->pixels.pixels[100], 0x80808080u);
  // A variant drawn at its scale is taken as it is, alpha and all.
  write("200/halo.bmp", AlphaBitmapFile(Filled(28, 24, 0xFF0000FF), 108, 3));
  const std::optional<HaloPicture> variant =
      PrepareHalo(path(), ListSkinVariants(path()), "main.bmp", 192);
  ASSERT_TRUE(variant);
  EXPECT_EQ(variant->pixels.pixels[0], 0xFF0000FFu);
}

TEST_F(HaloFolder, RaisesForAHaloWithoutAlphaOrMarginsThatDoNotFit) {
  write("halo.bmp", test::SolidBitmapFile(14, 12, 0x336699));
  EXPECT_THROW(PrepareHalo(path(), {}, "main.bmp", 96), EInvalidGraphic);
  write("halo.bmp", AlphaBitmapFile(Filled(14, 14, 0x80FFFFFF), 108, 3));
  EXPECT_THROW(PrepareHalo(path(), {}, "main.bmp", 96), EInvalidGraphic);
  write("halo.bmp", "BM damaged");
  EXPECT_THROW(PrepareHalo(path(), {}, "main.bmp", 96), EInvalidGraphic);
}

}  // namespace
}  // namespace ss
