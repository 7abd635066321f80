#include "skin/outline_runs.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <vector>

namespace ss {
namespace {

constexpr std::uint32_t T = 0xFF00FF;  // fuchsia, the transparent colour
constexpr std::uint32_t O = 0x336699;  // any opaque colour

std::vector<RunRect> Runs(const std::vector<std::uint32_t>& pixels, int width, int height,
                          std::uint32_t transparent = T) {
  return OutlineRuns(pixels, width, height, transparent);
}

TEST(OutlineRuns, OpaqueRowEndsOneColumnShortAndTransparentRowAddsNothing) {
  const std::vector<std::uint32_t> pixels = {
      O, O, O, O, O,  //
      T, T, T, T, T,  //
      O, O, O, O, O,  //
  };
  EXPECT_EQ(Runs(pixels, 5, 3), (std::vector<RunRect>{{0, 0, 4, 1}, {0, 2, 4, 3}}));
}

TEST(OutlineRuns, MixedRowsGiveOneRectanglePerRunInScanOrder) {
  const std::vector<std::uint32_t> pixels = {
      T, O, O, T, O, T, O, O,  // the last run stops before the last column
      O, T, T, O, O, O, T, T,  //
      T, T, T, T, T, T, O, T,  //
  };
  EXPECT_EQ(
      Runs(pixels, 8, 3),
      (std::vector<RunRect>{
          {1, 0, 3, 1}, {4, 0, 5, 1}, {6, 0, 7, 1}, {0, 1, 1, 2}, {3, 1, 6, 2}, {6, 2, 7, 3}}));
}

TEST(OutlineRuns, RightmostColumnNeverBelongsToTheOutline) {
  // An opaque pixel alone in the last column, after a transparent one, gives nothing.
  EXPECT_TRUE(Runs({T, T, O}, 3, 1).empty());
  EXPECT_EQ(Runs({O, T, O}, 3, 1), (std::vector<RunRect>{{0, 0, 1, 1}}));
  EXPECT_TRUE(Runs({T, T, O, T, T, O}, 3, 2).empty());
  // Two columns: only the first can be opaque.
  EXPECT_EQ(Runs({O, O}, 2, 1), (std::vector<RunRect>{{0, 0, 1, 1}}));
}

TEST(OutlineRuns, GlyphOnePixelWideHasAnEmptyOutline) {
  EXPECT_TRUE(Runs({O, O, O, O}, 1, 4).empty());
  EXPECT_TRUE(Runs({T, T}, 1, 2).empty());
}

TEST(OutlineRuns, ColoursAreComparedExactly) {
  // Near misses of fuchsia, and fuchsia with a top byte, are opaque.
  const std::vector<std::uint32_t> row = {0xFE00FF, 0xFF00FE, 0xFF01FF, 0x01FF00FF, T, T};
  EXPECT_EQ(Runs(row, 6, 1), (std::vector<RunRect>{{0, 0, 4, 1}}));
  // Another transparent colour: fuchsia is then opaque.
  EXPECT_EQ(Runs({T, T, 0, T}, 4, 1, 0), (std::vector<RunRect>{{0, 0, 2, 1}}));
}

TEST(OutlineRuns, DegenerateSizesAndShortBuffers) {
  EXPECT_TRUE(Runs({}, 0, 0).empty());
  EXPECT_TRUE(Runs({O, O}, 2, 0).empty());
  EXPECT_TRUE(Runs({O, O}, -2, 1).empty());
  EXPECT_THROW(Runs({O, O, O}, 2, 2), std::invalid_argument);
  // A width x height product that would overflow is still caught.
  EXPECT_THROW(Runs({O, O, O}, 0x7FFFFFFF, 0x7FFFFFFF), std::invalid_argument);
}

// The outline defined independently: per row, the maximal intervals of opaque pixels within
// the columns 0 .. width - 2.
std::vector<RunRect> MaximalIntervals(const std::vector<std::uint32_t>& pixels, int width,
                                      int height) {
  std::vector<RunRect> out;
  for (int y = 0; y < height; ++y) {
    int x = 0;
    while (x < width - 1) {
      if (pixels[y * width + x] == T) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < width - 1 && pixels[y * width + x] != T) ++x;
      out.push_back(RunRect{start, y, x, y + 1});
    }
  }
  return out;
}

TEST(OutlineRuns, MatchesMaximalOpaqueIntervalsOnRandomGlyphs) {
  std::mt19937 random(12345);
  for (int round = 0; round < 300; ++round) {
    const int width = 1 + static_cast<int>(random() % 24);
    const int height = 1 + static_cast<int>(random() % 6);
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width * height));
    for (std::uint32_t& p : pixels) p = (random() % 3 == 0) ? T : (random() % 2 ? O : 0xFF00FE);
    ASSERT_EQ(Runs(pixels, width, height), MaximalIntervals(pixels, width, height))
        << "round " << round << ", " << width << " x " << height;
  }
}

TEST(AppendRowRuns, AppendsAtTheGivenRow) {
  std::vector<RunRect> out{{9, 9, 9, 9}};
  const std::uint32_t row[] = {T, O, O, T};
  AppendRowRuns(row, 4, 41, T, out);
  EXPECT_EQ(out, (std::vector<RunRect>{{9, 9, 9, 9}, {1, 41, 3, 42}}));
}

}  // namespace
}  // namespace ss
