// The default skins and icon as the launcher will meet them: file set, sizes, outline, looks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "core/image_header.h"
#include "tools/skingen/image_files.h"
#include "tools/skingen/skin_art.h"

namespace ss::skingen {
namespace {

using main_window::kButtons;

// A default skin at a scale, rendered once for the whole test program.
const Skin& SkinAt(int percent, bool wide) {
  static std::map<std::pair<int, bool>, Skin> skins;
  const auto found = skins.find({percent, wide});
  if (found != skins.end()) return found->second;
  const Fonts fonts(SS_FONT_DIR, percent / 100.0f);
  return skins[{percent, wide}] = Render(wide ? WideSkinArt(fonts) : DefaultSkinArt(fonts));
}
const Skin& DefaultSkin() {
  return SkinAt(100, false);
}
const Skin& WideSkin() {
  return SkinAt(100, true);
}
const Skin& DefaultSkinAt200() {
  return SkinAt(200, false);
}
const Skin& WideSkinAt200() {
  return SkinAt(200, true);
}

struct Box {
  int left, top, width, height;
  bool overlaps(const Box& o) const {
    return left < o.left + o.width && o.left < left + width && top < o.top + o.height &&
           o.top < top + height;
  }
};

// The launcher's outline takes every pixel that is not the key colour, except the last column.
bool InOutline(const Pixels& glyph, int x, int y) {
  return x >= 0 && y >= 0 && x < glyph.width - 1 && y < glyph.height && glyph.at(x, y) != kKeyRgb;
}

bool BoxInOutline(const Pixels& glyph, const Box& box) {
  for (int y = box.top; y < box.top + box.height; ++y) {
    for (int x = box.left; x < box.left + box.width; ++x) {
      if (!InOutline(glyph, x, y)) return false;
    }
  }
  return true;
}

// Close to fuchsia in hue, saturated and bright enough to show as a pink fringe.
bool Pinkish(std::uint32_t rgb) {
  const float r = ((rgb >> 16) & 0xFF) / 255.0f, g = ((rgb >> 8) & 0xFF) / 255.0f,
              b = (rgb & 0xFF) / 255.0f;
  const float high = std::max({r, g, b}), low = std::min({r, g, b});
  if (high < 0.4f || high - low < 0.35f * high) return false;
  float hue = 0;
  if (high == r) hue = 60 * std::fmod((g - b) / (high - low) + 6, 6.0f);
  if (high == b) hue = 60 * ((r - g) / (high - low) + 4);
  if (high == g) hue = 60 * ((b - r) / (high - low) + 2);
  return hue >= 280 && hue <= 330;
}

int DifferentPixels(const Pixels& a, const Pixels& b) {
  int count = 0;
  for (size_t i = 0; i < a.rgb.size(); ++i) count += a.rgb[i] != b.rgb[i];
  return count;
}

TEST(PinkishPixel, CatchesFringesBlendedTowardFuchsia) {
  EXPECT_TRUE(Pinkish(0xFF00FF));
  EXPECT_TRUE(Pinkish(0x8C0DA0));  // navy half blended with fuchsia
  EXPECT_TRUE(Pinkish(0xE060C8));
  EXPECT_FALSE(Pinkish(0x6F7DF7));  // the violet-blue accent
  EXPECT_FALSE(Pinkish(0xE5484D));  // the red of the close button
  EXPECT_FALSE(Pinkish(0x1D2D4B));
  EXPECT_FALSE(Pinkish(0x404040));
}

// Both skins at every scale the build draws them at.
class EachSkin : public testing::TestWithParam<std::tuple<int, bool>> {
 protected:
  const Skin& skin() const { return SkinAt(std::get<0>(GetParam()), std::get<1>(GetParam())); }
};

TEST_P(EachSkin, HasTheThirtyOneFilesAsValidBottomUpBitmaps) {
  const auto files = skin().files();
  std::set<std::string> expected{main_window::kGlyphFile};
  for (const auto& b : kButtons) expected.insert(b.skinFiles.begin(), b.skinFiles.end());
  ASSERT_EQ(static_cast<int>(expected.size()), main_window::kSkinFileCount);
  ASSERT_EQ(files.size(), expected.size());
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(expected.count(name));
    EXPECT_NO_THROW(CheckBitmapFile(bytes));
    // A positive height in the header: rows stored bottom-up.
    EXPECT_GT(static_cast<std::int32_t>(static_cast<unsigned char>(bytes[22]) |
                                        static_cast<unsigned char>(bytes[23]) << 8 |
                                        static_cast<unsigned char>(bytes[24]) << 16 |
                                        static_cast<unsigned char>(bytes[25]) << 24),
              0);
  }
  // What is written is exactly what was drawn.
  const Pixels read = DecodeBmp(files.at(main_window::kGlyphFile));
  EXPECT_EQ(read.width, skin().glyph.width);
  EXPECT_EQ(read.rgb, skin().glyph.rgb);
}

TEST_P(EachSkin, NoPixelButExactFuchsiaIsPinkish) {
  auto check = [](const Pixels& pixels, const std::string& what) {
    int pink = 0;
    for (std::uint32_t rgb : pixels.rgb) pink += rgb != kKeyRgb && Pinkish(rgb);
    EXPECT_EQ(pink, 0) << what;
  };
  check(skin().glyph, "main.bmp");
  for (size_t i = 0; i < kButtons.size(); ++i) {
    for (size_t look = 0; look < 3; ++look)
      check(skin().pictures[i][look], kButtons[i].skinFiles[look]);
  }
}

TEST_P(EachSkin, ButtonPicturesHoldNoKeyColourAndOneSizePerButton) {
  for (size_t i = 0; i < kButtons.size(); ++i) {
    SCOPED_TRACE(kButtons[i].name);
    const auto& looks = skin().pictures[i];
    for (const Pixels& picture : looks) {
      EXPECT_EQ(picture.width, looks[0].width);
      EXPECT_EQ(picture.height, looks[0].height);
      EXPECT_EQ(std::count(picture.rgb.begin(), picture.rgb.end(), kKeyRgb), 0);
    }
  }
}

TEST_P(EachSkin, TheThreeLooksOfEveryButtonClearlyDiffer) {
  for (size_t i = 0; i < kButtons.size(); ++i) {
    SCOPED_TRACE(kButtons[i].name);
    const auto& looks = skin().pictures[i];
    // At least a tenth of a small button, or a fair share of a big one, changes.
    const int least = std::max(20, static_cast<int>(looks[0].rgb.size() / 10));
    EXPECT_GE(DifferentPixels(looks[0], looks[1]), least);
    EXPECT_GE(DifferentPixels(looks[0], looks[2]), least);
    EXPECT_GE(DifferentPixels(looks[1], looks[2]), least);
  }
}

TEST_P(EachSkin, OutlineIsShapedAndItsEdgeIsDarkNotBlendedWithTheKey) {
  const Pixels& glyph = skin().glyph;
  // Rounded at least at the bottom corners; the rightmost column is never part of the window.
  EXPECT_EQ(glyph.at(0, glyph.height - 1), kKeyRgb);
  EXPECT_EQ(glyph.at(glyph.width - 2, glyph.height - 1), kKeyRgb);
  for (int y = 0; y < glyph.height; ++y) EXPECT_EQ(glyph.at(glyph.width - 1, y), kKeyRgb);
  // Every pixel of the outline's edge (beside a cut-out pixel or the bitmap's border) is dark:
  // the outline reads as a border, and no edge pixel was blended toward the key.
  int edgePixels = 0;
  for (int y = 0; y < glyph.height; ++y) {
    for (int x = 0; x < glyph.width - 1; ++x) {
      if (!InOutline(glyph, x, y)) continue;
      if (InOutline(glyph, x - 1, y) && InOutline(glyph, x + 1, y) && InOutline(glyph, x, y - 1) &&
          InOutline(glyph, x, y + 1)) {
        continue;
      }
      ++edgePixels;
      const std::uint32_t c = glyph.at(x, y);
      const std::uint32_t brightest = std::max({(c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF});
      EXPECT_LT(brightest, 0x60u) << "at " << x << "," << y;
    }
  }
  EXPECT_GT(edgePixels, 2 * (glyph.width + glyph.height) - 200);
}

TEST_P(EachSkin, PicturesContinueTheMainArtworkBeneathThem) {
  // Where a button's normal picture lies over the glyph, it matches it except where another
  // button overlaps: drawn opaque, the picture must not show a seam.
  const bool wide = skin().folder == "wide";
  const auto scaled = [&](int design) {
    return static_cast<int>(std::lround(design * skin().percent / 100.0));
  };
  for (size_t i = 0; i < kButtons.size(); ++i) {
    SCOPED_TRACE(kButtons[i].name);
    const Pixels& picture = skin().pictures[i][0];
    const int left = scaled(wide ? kButtons[i].altLeft : kButtons[i].left);
    const int top = scaled(wide ? kButtons[i].altTop : kButtons[i].top);
    int differ = 0;
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        if (InOutline(skin().glyph, left + x, top + y)) {
          differ += picture.at(x, y) != skin().glyph.at(left + x, top + y);
        }
      }
    }
    EXPECT_EQ(differ, 0);
  }
}

std::string SkinName(const testing::TestParamInfo<std::tuple<int, bool>>& info) {
  const int percent = std::get<0>(info.param);
  return std::string(std::get<1>(info.param) ? "Wide" : "Default") +
         (percent == 100 ? "" : "At" + std::to_string(percent));
}
INSTANTIATE_TEST_SUITE_P(Skins, EachSkin,
                         testing::Combine(testing::ValuesIn(kDrawnScales), testing::Bool()),
                         SkinName);

// The largest difference between two colours in any channel.
int ChannelDistance(std::uint32_t a, std::uint32_t b) {
  int most = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                   static_cast<int>((b >> shift) & 0xFF)));
  }
  return most;
}

// How sharp a picture's edges are: the squares of the steps between neighbouring pixels, the
// key's left out. Doubling every pixel exactly doubles it; a smooth upscale about halves that.
double EdgeEnergy(const Pixels& pixels) {
  double energy = 0;
  for (int y = 0; y < pixels.height; ++y) {
    for (int x = 0; x < pixels.width; ++x) {
      const std::uint32_t c = pixels.at(x, y);
      for (const auto& [nx, ny] : {std::pair(x + 1, y), std::pair(x, y + 1)}) {
        if (nx >= pixels.width || ny >= pixels.height) continue;
        const std::uint32_t n = pixels.at(nx, ny);
        if (c != kKeyRgb && n != kKeyRgb) energy += std::pow(ChannelDistance(c, n), 2);
      }
    }
  }
  return energy;
}

TEST(SkinsAt200, AreTwiceTheSizeWithTheSameOutlineAndDrawnAfresh) {
  for (const auto& [base, twice] :
       {std::pair(&DefaultSkin(), &DefaultSkinAt200()), std::pair(&WideSkin(), &WideSkinAt200())}) {
    SCOPED_TRACE(base->folder);
    EXPECT_EQ(twice->folder, base->folder);
    EXPECT_EQ(twice->percent, 200);
    std::vector<std::pair<const Pixels*, const Pixels*>> pairs{{&base->glyph, &twice->glyph}};
    for (size_t i = 0; i < kButtons.size(); ++i) {
      for (size_t look = 0; look < 3; ++look) {
        pairs.emplace_back(&base->pictures[i][look], &twice->pictures[i][look]);
      }
    }
    int edges = 0, redrawn = 0;
    double energy100 = 0, energy200 = 0;
    for (const auto& [small, large] : pairs) {
      ASSERT_EQ(large->width, 2 * small->width);
      ASSERT_EQ(large->height, 2 * small->height);
      energy100 += EdgeEnergy(*small);
      energy200 += EdgeEnergy(*large);
      // Each key pixel, and each other pixel, has its like within one pixel in the 100 %
      // picture doubled, beyond whose border lies the desktop as beyond the key.
      auto doubledKey = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= large->width || y >= large->height) return true;
        return small->at(x / 2, y / 2) == kKeyRgb;
      };
      for (int y = 0; y < large->height; ++y) {
        for (int x = 0; x < large->width; ++x) {
          const bool key = large->at(x, y) == kKeyRgb;
          bool near = false;
          for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) near = near || doubledKey(x + dx, y + dy) == key;
          }
          EXPECT_TRUE(near) << "at " << x << "," << y;
        }
      }
      // Where the 100 % artwork has an edge, a doubled copy would repeat its pixels; drawn
      // afresh, the 200 % pixels there clearly differ from them.
      for (int y = 0; y + 1 < small->height; ++y) {
        for (int x = 0; x + 1 < small->width; ++x) {
          const std::uint32_t c = small->at(x, y);
          if (c == kKeyRgb || std::max(ChannelDistance(c, small->at(x + 1, y)),
                                       ChannelDistance(c, small->at(x, y + 1))) < 64) {
            continue;
          }
          ++edges;
          for (int k = 0; k < 4; ++k) {
            redrawn += ChannelDistance(c, large->at(2 * x + k % 2, 2 * y + k / 2)) > 24;
          }
        }
      }
    }
    EXPECT_GT(edges, 1000);
    EXPECT_GT(redrawn, edges);
    // And as sharp as the 100 % drawing: no smooth upscale of it.
    EXPECT_GT(energy200, 1.6 * energy100);
  }
}

TEST(DefaultSkin, FitsTheDesignLayoutExactly) {
  const Skin& skin = DefaultSkin();
  EXPECT_EQ(skin.folder, "default");
  EXPECT_EQ(skin.glyph.width, main_window::kDesignClientWidth);
  EXPECT_EQ(skin.glyph.height, main_window::kDesignClientHeight);
  for (size_t i = 0; i < kButtons.size(); ++i) {
    SCOPED_TRACE(kButtons[i].name);
    for (const Pixels& picture : skin.pictures[i]) {
      EXPECT_EQ(picture.width, kButtons[i].width);
      EXPECT_EQ(picture.height, kButtons[i].height);
    }
  }
}

TEST(DefaultSkin, InfoLineHasACalmLightBackground) {
  // The launcher writes dark text with a white copy at (16, 160): under it the artwork must be
  // light and nearly uniform.
  const Pixels& glyph = DefaultSkin().glyph;
  int darkest = 255, lightest = 0;
  for (int y = 158; y < 176; ++y) {
    for (int x = 14; x < 420; ++x) {
      const std::uint32_t c = glyph.at(x, y);
      const int grey = static_cast<int>(((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF)) / 3;
      darkest = std::min(darkest, grey);
      lightest = std::max(lightest, grey);
    }
  }
  EXPECT_GT(darkest, 200);
  EXPECT_LT(lightest - darkest, 40);
}

TEST(WideSkin, ButtonsAndInfoBoxLieInsideTheOutlineWithoutOverlapping) {
  const Skin& skin = WideSkin();
  EXPECT_EQ(skin.folder, "wide");
  const auto& info = main_window::kAltLabelInfo1;
  const Box infoBox{info.left, info.top, info.width, info.height};
  EXPECT_TRUE(BoxInOutline(skin.glyph, infoBox));
  std::vector<Box> boxes;
  for (size_t i = 0; i < kButtons.size(); ++i) {
    SCOPED_TRACE(kButtons[i].name);
    // AutoSize gives each button its normal picture's size.
    const Pixels& normal = skin.pictures[i][0];
    const Box box{kButtons[i].altLeft, kButtons[i].altTop, normal.width, normal.height};
    EXPECT_GE(box.width, 12);
    EXPECT_GE(box.height, 12);
    EXPECT_TRUE(BoxInOutline(skin.glyph, box));
    EXPECT_FALSE(box.overlaps(infoBox));
    for (const Box& other : boxes) EXPECT_FALSE(box.overlaps(other));
    boxes.push_back(box);
  }
}

TEST(WideSkin, InfoBoxIsDarkAndCalmForWhiteText) {
  const Pixels& glyph = WideSkin().glyph;
  const auto& info = main_window::kAltLabelInfo1;
  int lightest = 0;
  for (int y = info.top; y < info.top + info.height; ++y) {
    for (int x = info.left; x < info.left + info.width; ++x) {
      const std::uint32_t c = glyph.at(x, y);
      lightest = std::max<int>(lightest, std::max({(c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF}));
    }
  }
  EXPECT_LT(lightest, 0x50);
}

TEST(Icon, HoldsSeveralCrispSizesWithTransparentCorners) {
  std::vector<Pixels> images;
  for (int side : {256, 48, 32, 16}) images.push_back(IconImage(side));
  const std::string file = EncodeIco(images);
  EXPECT_NO_THROW(CheckIconFile(file));
  EXPECT_EQ(IcoSizes(file), (std::vector<int>{256, 48, 32, 16}));
  for (const Pixels& image : images) {
    SCOPED_TRACE(image.width);
    EXPECT_EQ(image.at(0, 0) >> 24, 0u);
    EXPECT_EQ(image.at(image.width / 2, image.height / 2) >> 24, 0xFFu);
    // Drawn afresh at every size: even the smallest shows the silver disc on its tile.
    const std::uint32_t ring = image.at(image.width / 2, image.height / 4);
    EXPECT_GT(((ring >> 8) & 0xFF), 0xA0u);
  }
}

// The icon as skingen writes it: its 256-pixel image a PNG image, the smaller ones 32-bit DIBs,
// each decoded back to exactly the pixels drawn; the launcher's reader picks either kind.
TEST(Icon, StoresTheLargestImageAsPngAndEveryImageLosslessly) {
  const std::vector<int> sides{256, 64, 48, 32, 24, 16};
  std::vector<Pixels> drawn;
  for (int side : sides) drawn.push_back(IconImage(side));
  const std::string file = EncodeIco(drawn);
  ASSERT_NO_THROW(CheckIconFile(file));
  // 256 x 256 x 4 bytes and its mask would be some 270 KB on their own.
  EXPECT_LT(file.size(), 100000u);
  const std::vector<Pixels> decoded = DecodeIco(file);
  ASSERT_EQ(decoded.size(), sides.size());
  for (size_t i = 0; i < sides.size(); ++i) {
    SCOPED_TRACE(sides[i]);
    EXPECT_EQ(decoded[i].width, sides[i]);
    EXPECT_EQ(decoded[i].height, sides[i]);
    EXPECT_TRUE(decoded[i].rgb == drawn[i].rgb);
    const auto entry = BestIconImage(file, sides[i]);
    const bool png = file.compare(entry.offset, 4, "\x89PNG") == 0;
    EXPECT_EQ(png, sides[i] == 256);
  }
}

// The default skins drawn in each language beside English, at every drawn scale.
class LanguagePictures : public ::testing::TestWithParam<std::tuple<int, bool>> {
 protected:
  int percent() const { return std::get<0>(GetParam()); }
  bool wide() const { return std::get<1>(GetParam()); }
  const Skin& english() const { return SkinAt(percent(), wide()); }
  Skin Drawn(const Wording& words) const {
    const Fonts fonts(SS_FONT_DIRS, percent() / 100.0f, words);
    return Render(wide() ? WideSkinArt(fonts) : DefaultSkinArt(fonts));
  }
};
// The default skin at every drawn scale; the wide one, drawn by the same code, at 100 %.
INSTANTIATE_TEST_SUITE_P(Scales, LanguagePictures,
                         ::testing::Combine(::testing::ValuesIn(kDrawnScales),
                                            ::testing::Values(false)));
INSTANTIATE_TEST_SUITE_P(Wide, LanguagePictures, ::testing::Values(std::make_tuple(100, true)));

// Pixels of a picture inside a box (in pixels) unlike the same pixels of another picture.
int ChangedIn(const Pixels& a, const Pixels& b, const Box& box) {
  int count = 0;
  for (int y = box.top; y < box.top + box.height; ++y) {
    for (int x = box.left; x < box.left + box.width; ++x) count += a.at(x, y) != b.at(x, y);
  }
  return count;
}

TEST_P(LanguagePictures, KeepTheSkinsSizesAndOutlineAndDrawTheirWordsWhereTheEnglishAre) {
  const auto p = [&](int design) {
    return static_cast<int>(std::lround(design * percent() / 100.0));
  };
  for (const Wording& words : DrawnLanguages()) {
    SCOPED_TRACE(words.tag);
    const Skin skin = Drawn(words);
    EXPECT_EQ(skin.path().substr(0, skin.folder.size() + 3), skin.folder + "/" + words.tag);
    // The worded pictures are written; the title buttons, which carry none, are not, unless
    // the whole skin is mirrored.
    const auto own = skin.filesApartFrom(english());
    EXPECT_TRUE(own.count(main_window::kGlyphFile));
    EXPECT_EQ(own.count(kButtons[0].skinFiles[0]), words.rightToLeft ? 1u : 0u);
    for (const auto& b : kButtons) {
      if (b.id == main_window::ButtonId::One || b.id == main_window::ButtonId::MoreFreeTools) {
        EXPECT_TRUE(own.count(b.skinFiles[0]) && own.count(b.skinFiles[2])) << b.name;
      }
    }
    // The skin's own outline: key colour exactly where it is, or, mirrored, as much of it with
    // the rightmost column still outside.
    const Pixels& glyph = skin.glyph;
    ASSERT_EQ(glyph.width, english().glyph.width);
    ASSERT_EQ(glyph.height, english().glyph.height);
    const auto keyed = [](const Pixels& picture) {
      return std::count(picture.rgb.begin(), picture.rgb.end(), kKeyRgb);
    };
    if (words.rightToLeft) {
      EXPECT_NEAR(keyed(glyph), keyed(english().glyph), glyph.height);
      for (int y = 0; y < glyph.height; ++y) ASSERT_EQ(glyph.at(glyph.width - 1, y), kKeyRgb);
    } else {
      for (size_t i = 0; i < glyph.rgb.size(); ++i) {
        ASSERT_EQ(glyph.rgb[i] == kKeyRgb, english().glyph.rgb[i] == kKeyRgb) << i;
      }
    }
    for (size_t i = 0; i < kButtons.size(); ++i) {
      for (size_t look = 0; look < 3; ++look) {
        const Pixels& picture = skin.pictures[i][look];
        const Pixels& base = english().pictures[i][look];
        SCOPED_TRACE(kButtons[i].skinFiles[look]);
        ASSERT_EQ(picture.width, base.width);
        ASSERT_EQ(picture.height, base.height);
        EXPECT_EQ(std::count(picture.rgb.begin(), picture.rgb.end(), kKeyRgb), 0);
      }
    }
    // Button1's caption is drawn afresh in the lower part of its card, its icon left alone
    // where the card is not mirrored.
    const Pixels& card = skin.pictures[2][0];
    const Pixels& englishCard = english().pictures[2][0];
    EXPECT_GT(
        ChangedIn(card, englishCard, {0, card.height * 3 / 5, card.width, card.height * 2 / 5}),
        p(60));
    if (!words.rightToLeft) {
      EXPECT_EQ(ChangedIn(card, englishCard, {0, 0, card.width, card.height / 3}), 0);
    }
  }
}

// The columns of a box (in pixels) holding light ink: the captions on the wide skin's plate.
std::pair<int, int> InkColumns(const Pixels& picture, const Box& box) {
  int left = picture.width, right = -1;
  for (int y = box.top; y < box.top + box.height; ++y) {
    for (int x = box.left; x < box.left + box.width; ++x) {
      if ((picture.at(x, y) & 0xFF) > 0xE8 && ((picture.at(x, y) >> 8) & 0xFF) > 0xD0) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  }
  return {left, right};
}

TEST(LanguagePictures, ArabicIsDrawnMirroredWithItsLinesStartingAtTheRight) {
  const Wording& arabic = DrawnLanguages().back();
  ASSERT_TRUE(arabic.rightToLeft);
  const size_t home = static_cast<size_t>(main_window::ButtonId::Home);
  for (const int percent : {100, 200}) {
    SCOPED_TRACE(percent);
    const auto p = [&](int design) { return design * percent / 100; };
    const Fonts fonts(SS_FONT_DIRS, percent / 100.0f, arabic);
    const Skin skin = Render(WideSkinArt(fonts));
    const Pixels& plate = skin.pictures[home][0];
    const Pixels& englishPlate = SkinAt(percent, true).pictures[home][0];
    // The line under the product name, in the text box from 54 to 194 of the plate; mirrored,
    // the plate lies at the window's right edge with the box from 5 to 145 of it.
    const auto [englishLeft, englishRight] =
        InkColumns(englishPlate, {p(54), p(31), p(140), p(14)});
    const auto [arabicLeft, arabicRight] = InkColumns(plate, {0, p(31), p(150), p(14)});
    EXPECT_LE(englishLeft, p(56));
    EXPECT_LT(englishRight, p(140));
    EXPECT_GE(arabicRight, p(140));
    EXPECT_LE(arabicRight, p(146));
    EXPECT_GT(arabicLeft, p(40));
  }
}
}  // namespace
}  // namespace ss::skingen
