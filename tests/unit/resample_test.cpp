// The resampler of skin pictures: solid colours kept exactly, the key kept out of the artwork,
// outlines scaled, every size exact.
#include "skin/resample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "core/image_header.h"

namespace ss {
namespace {

constexpr std::uint32_t kKey = 0xFF00FF;

PixelImage Picture(int width, int height, const std::function<std::uint32_t(int, int)>& colour) {
  PixelImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.pixels.push_back(colour(x, y));
  }
  return image;
}

std::uint32_t At(const PixelImage& image, int x, int y) {
  return image.pixels[static_cast<size_t>(y) * image.width + x];
}

// An ellipse of reds (only the top channel set, so any trace of the key shows in the lower
// two) on the key, 30 x 22 pixels.
PixelImage RedEllipse(std::uint32_t key = kKey) {
  std::mt19937 random(7);
  return Picture(30, 22, [&](int x, int y) {
    const double dx = (x + 0.5 - 15) / 12, dy = (y + 0.5 - 11) / 8;
    const std::uint32_t red = 0x20 + random() % 0xE0;
    return dx * dx + dy * dy <= 1 ? red << 16 : key;
  });
}

// Shrinking, enlarging, both at once and one axis unchanged, at whole and uneven ratios.
const std::vector<std::pair<int, int>> kSizes = {{60, 44}, {75, 55}, {37, 27}, {15, 11},
                                                 {11, 17}, {30, 41}, {97, 13}, {8, 6}};

TEST(Resample, SolidAreasKeepTheirColourExactly) {
  // A solid picture whose top byte must not matter, at every kind of size.
  const PixelImage solid = Picture(7, 5, [](int, int) { return 0xAB123456u; });
  for (const auto& [width, height] : kSizes) {
    for (const std::optional<std::uint32_t> key : {std::optional<std::uint32_t>(), {kKey}}) {
      const PixelImage out = Resample(solid, width, height, key);
      ASSERT_EQ(out.width, width);
      ASSERT_EQ(out.height, height);
      ASSERT_EQ(out.pixels.size(), static_cast<size_t>(width) * height);
      EXPECT_EQ(std::count(out.pixels.begin(), out.pixels.end(), 0x123456u), width * height)
          << width << " x " << height;
    }
  }
  // A block amid noise: every pixel that only the block's pixels reach keeps its colour.
  std::mt19937 random(3);
  const PixelImage noisy = Picture(24, 20, [&](int x, int y) {
    return x >= 6 && x < 18 && y >= 5 && y < 15 ? 0x3C8D2Eu : random() & 0xFFFFFF;
  });
  // The source pixels that can reach output pixel i: a cubic's four taps, or a box.
  auto reach = [](int i, int from, int to) {
    if (to > from) {
      const int base = static_cast<int>(std::floor((i + 0.5) * from / to - 0.5));
      return std::pair(base - 1, base + 2);
    }
    return std::pair(i * from / to, ((i + 1) * from - 1) / to);
  };
  for (const auto& [width, height] : {std::pair(61, 47), std::pair(12, 10), std::pair(9, 8)}) {
    const PixelImage out = Resample(noisy, width, height, kKey);
    int inside = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const auto [left, right] = reach(x, 24, width);
        const auto [top, bottom] = reach(y, 20, height);
        if (left < 6 || right >= 18 || top < 5 || bottom >= 15) continue;
        ++inside;
        EXPECT_EQ(At(out, x, y), 0x3C8D2Eu) << x << "," << y << " of " << width << " x " << height;
      }
    }
    EXPECT_GE(inside, 2);
  }
}

TEST(Resample, KeyNeverBlendsIntoTheArtwork) {
  // The key compared without its top byte, in either channel order.
  for (const std::uint32_t key : {kKey, 0x0000FFu}) {
    const PixelImage source = RedEllipse(key | 0xEE000000);
    for (const auto& [width, height] : kSizes) {
      const PixelImage out = Resample(source, width, height, key);
      int holes = 0;
      for (const std::uint32_t p : out.pixels) {
        if (p == key) {
          ++holes;
        } else {
          EXPECT_EQ(p & 0xFF00FFFF, 0u) << std::hex << p << " at " << width << " x " << height;
        }
      }
      EXPECT_GT(holes, 0);
      EXPECT_LT(holes, width * height);
    }
  }
  // A colour that comes out as the key is nudged by one, or it would cut a hole.
  const PixelImage pair{2, 1, {0x7F7F7F, 0x818181}};
  const std::uint32_t mean = Resample(pair, 1, 1, 0x808080).pixels[0];
  EXPECT_TRUE(mean == 0x808081 || mean == 0x80807F) << std::hex << mean;
  EXPECT_EQ(Resample(pair, 1, 1, std::nullopt).pixels[0], 0x808080u);
}

TEST(Resample, OutlineIsTheSourceOutlineScaledWithinAPixelWithoutHoles) {
  const PixelImage source = RedEllipse();
  for (const auto& [width, height] : kSizes) {
    SCOPED_TRACE(testing::Message() << width << " x " << height);
    const PixelImage out = Resample(source, width, height, kKey);
    // The source's outline scaled by taking the source pixel under each output pixel's centre:
    // every output pixel has its like within one pixel of it, so no hole inside, no stray out.
    auto scaledKey = [&](int x, int y) {
      x = std::clamp(x, 0, width - 1);
      y = std::clamp(y, 0, height - 1);
      return At(source, (2 * x + 1) * 30 / (2 * width), (2 * y + 1) * 22 / (2 * height)) == kKey;
    };
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const bool key = At(out, x, y) == kKey;
        bool near = false;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) near = near || scaledKey(x + dx, y + dy) == key;
        }
        EXPECT_TRUE(near) << x << "," << y;
      }
    }
  }
  // A pixel at least half covered by the picture belongs to it: 2 x 2 boxes holding one, two
  // and three picture pixels.
  constexpr std::uint32_t R = 0x300000;
  const PixelImage boxes{6, 2, {R, kKey, R, R, R, R, kKey, kKey, kKey, kKey, R, kKey}};
  EXPECT_EQ(Resample(boxes, 3, 1, kKey).pixels, (std::vector<std::uint32_t>{kKey, R, R}));
}

TEST(Resample, TinyEmptyAndUnchangedSizes) {
  const PixelImage dot{1, 1, {0xCC445566}};
  EXPECT_EQ(Resample(dot, 4, 3, kKey).pixels, std::vector<std::uint32_t>(12, 0x445566));
  EXPECT_EQ(Resample(PixelImage{1, 1, {kKey}}, 3, 2, kKey).pixels,
            std::vector<std::uint32_t>(6, kKey));
  // A column to a row: the height averaged (6.5 rounds up), the width repeated.
  const PixelImage column{1, 4, {0x000000, 0x040404, 0x080808, 0x0E0E0E}};
  EXPECT_EQ(Resample(column, 4, 1, std::nullopt).pixels, std::vector<std::uint32_t>(4, 0x070707));
  // An axis that keeps its length is copied: solid rows stay apart.
  const auto row = [](int, int y) { return 0x112233u * (y + 1); };
  EXPECT_EQ(Resample(Picture(6, 4, row), 13, 4, kKey).pixels, Picture(13, 4, row).pixels);
  // The same size is the source, bit for bit, top bytes included.
  const PixelImage source = RedEllipse(kKey | 0x77000000);
  EXPECT_EQ(Resample(source, 30, 22, kKey).pixels, source.pixels);
  EXPECT_EQ(Resample(dot, 1, 1, std::nullopt).pixels, dot.pixels);

  const PixelImage empty = Resample(source, 0, 5, kKey);
  EXPECT_EQ(empty.width, 0);
  EXPECT_EQ(empty.height, 5);
  EXPECT_TRUE(empty.pixels.empty());
  EXPECT_TRUE(Resample(source, 7, -1, kKey).pixels.empty());
  // Refused before anything is allocated: more pixels than a bitmap may hold.
  EXPECT_THROW(Resample(dot, 8193, 8192, kKey), EInvalidGraphic);
  EXPECT_THROW(Resample(dot, kMaxBitmapSide + 1, 1, kKey), EInvalidGraphic);
  EXPECT_THROW(Resample(PixelImage{3, 2, {1, 2, 3}}, 4, 4, kKey), std::invalid_argument);
  EXPECT_THROW(Resample(PixelImage{}, 4, 4, kKey), std::invalid_argument);
}

}  // namespace
}  // namespace ss
