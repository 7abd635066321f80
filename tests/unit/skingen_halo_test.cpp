#include "tools/skingen/halo_art.h"

#include <gtest/gtest.h>

#include <cmath>

#include "skin/bitmap_decode.h"
#include "skin/halo.h"

namespace ss::skingen {
namespace {

class EachHalo : public testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(EachHalo, SmoothsTheOutlineAndCastsAShadowThatFadesWithinTheMargin) {
  const auto [percent, wide] = GetParam();
  const Fonts fonts(SS_FONT_DIR, percent / 100.0f);
  const SkinArt art = wide ? WideSkinArt(fonts) : DefaultSkinArt(fonts);
  const Pixels glyph = Render(art).glyph;
  const Pixels halo = RenderHalo(art);
  const int margin = kHaloMargin * percent / 100;
  ASSERT_EQ(HaloMargin({halo.width, halo.height}, {glyph.width, glyph.height}), margin);

  // What is written is what was drawn, alpha and all (0xAARRGGBB read back as 0xAABBGGRR).
  const PixelImage read = DecodeAlphaBitmapFile(EncodeAlphaBmp(halo));
  ASSERT_EQ(read.pixels.size(), halo.rgb.size());
  for (size_t i = 0; i < halo.rgb.size(); i += 97) {
    const std::uint32_t p = halo.rgb[i];
    ASSERT_EQ(read.pixels[i], (p & 0xFF00FF00u) | (p & 0xFF) << 16 | (p >> 16 & 0xFF));
  }
  const auto alpha = [&](int x, int y) { return halo.at(x, y) >> 24; };
  // Opaque wherever the glyph keeps its pixel, so rim and window meet without a seam.
  for (int y = 0; y < glyph.height; ++y) {
    for (int x = 0; x < glyph.width; ++x) {
      if (glyph.at(x, y) == kKeyRgb) continue;
      ASSERT_EQ(alpha(x + margin, y + margin), 255u) << x << "," << y;
    }
  }
  // The outline's partly covered pixels that the key colour cut away show the edge's colour
  // with partial alpha (the shadow alone is black).
  int rim = 0;
  for (int y = 0; y < glyph.height; ++y) {
    for (int x = 0; x < glyph.width; ++x) {
      const std::uint32_t p = halo.at(x + margin, y + margin);
      if (glyph.at(x, y) == kKeyRgb && (p & 0xFFFFFF) != 0 && p >> 24 < 255) ++rim;
    }
  }
  EXPECT_GE(rim, 4 * percent / 100);
  // Below the middle of the window the shadow darkens, fading to nothing at the halo's edge.
  const int x = halo.width / 2;
  const int below = margin + glyph.height + margin / 4;
  EXPECT_GT(alpha(x, below), 20u);
  EXPECT_EQ(halo.at(x, below) & 0xFFFFFF, 0u);
  EXPECT_LT(alpha(x, halo.height - 1), 3u);
  EXPECT_LT(alpha(x, halo.height - 1), alpha(x, below));
}

INSTANTIATE_TEST_SUITE_P(Halos, EachHalo,
                         testing::Combine(testing::Values(100, 150), testing::Bool()));

}  // namespace
}  // namespace ss::skingen
