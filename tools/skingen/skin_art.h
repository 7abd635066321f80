// A skin as artwork: the window's shape and background plus one drawing per button and look,
// rendered into the launcher's 31 pictures.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tools/skingen/image_files.h"
#include "tools/skingen/raster.h"
#include "tools/skingen/text.h"
#include "ui/main/form_main_tables.h"

namespace ss::skingen {

// The three looks of a button, in the order of its skin files.
enum class Look { Normal, MouseOn, MouseDown };
inline constexpr std::array<Look, 3> kLooks{Look::Normal, Look::MouseOn, Look::MouseDown};

// The fuchsia key colour as 0xRRGGBB (the same colour as the launcher's 0x00BBGGRR value,
// whose red and blue are equal).
inline constexpr std::uint32_t kKeyRgb = 0xFF00FF;

// The words a skin's pictures carry in one language, and the faces that draw its script.
struct Wording {
  std::string tag;           // the language tag naming the skin's subfolder; empty for English
  bool rightToLeft = false;  // the launcher mirrors its layout: the skins are drawn mirrored
  std::string regularFont, boldFont;  // font files of the words, found in the font folders
  std::array<std::string, 4> cards;   // two-line captions of Button1 to ButtonMoreTools
  std::string help, about, home, moreFreeTools;  // captions of the link buttons
  std::string homePage;                          // the wide skin's line under the product name
};
const Wording& EnglishWording();
// The languages the default skins are drawn in besides English: German, Japanese and Arabic.
const std::vector<Wording>& DrawnLanguages();

// The fonts of the artwork for one language's words, for pictures at `scale` pixels per design
// unit, loaded from the first folder holding each file of a colon-separated list of folders.
// The product name and one-letter symbols are drawn in the same face in every language.
struct Fonts {
  explicit Fonts(const std::string& folders, float scale = 1,
                 const Wording& words = EnglishWording());
  const Wording& words;
  float scale;
  Font title;    // bold, product names
  Font caption;  // bold, captions of the big buttons
  Font label;    // regular, captions of small buttons
  Font glyph;    // bold, one-letter symbols such as "?" and "i"
};

// Where a button lies and how it draws itself in each look, in window coordinates (design
// units).
struct ButtonArt {
  int left = 0, top = 0, width = 0, height = 0;
  std::function<void(Image&, Look)> draw;
};

struct SkinArt {
  std::string folder;    // the ResFolder setting that selects this skin
  std::string language;  // the tag of the language of its words; empty for English
  // Drawn for the launcher's mirrored layout of a right-to-left language: every button at the
  // window's width minus its left edge minus its width, the artwork mirrored, its words not.
  bool mirrored = false;
  float scale = 1;  // pixels per design unit of its pictures: that of its fonts
  int width = 0, height = 0;
  Shape outline;  // the window's shape; must leave the rightmost column outside
  Color edge;     // the outline's colour, toward which its anti-aliased pixels blend
  std::function<void(Image&)> background;
  std::array<ButtonArt, main_window::kButtons.size()> buttons;
};

// The 31 pictures of a skin: the glyph and three per button in the order of kButtons.
struct Skin {
  std::string folder;
  std::string language;  // as in its art
  int percent = 100;     // the scale it is drawn at, which names its variant folder beyond 100
  Pixels glyph;
  std::array<std::array<Pixels, 3>, main_window::kButtons.size()> pictures;
  // Every file by name, as written.
  std::map<std::string, std::string> files() const;
  // The files that differ from `english`, the same skin drawn in English at the same scale:
  // the pictures that carry words, which a language's folder holds.
  std::map<std::string, std::string> filesApartFrom(const Skin& english) const;
  // The folder the files go to below the skins' folder: the skin's, then the language's, then
  // the scale's beyond 100 %.
  std::string path() const;
};

// Renders every look of every button over the background, each picture cut from the whole
// window so that it continues the artwork beneath it; outside the outline the glyph is fuchsia.
// Every side and place is the design's times the art's scale, rounded. Mirrored art is drawn as
// it is and mirrored with its outline, its text and tool icons drawn afresh, unmirrored, at the
// mirrored places, each line aligned to the other side; the mirror leaves the rightmost column
// outside the outline.
Skin Render(const SkinArt& art);

// The scales both default skins are drawn at, in per cent: 100 in the skin's folder, the others
// in a variant folder named after them. 125 % and 150 % are the scales most laptops run at, 200 %
// the sharpest that is commonly used; the launcher takes these files as they are there and
// resamples the nearest larger drawing at other scales.
inline constexpr int kDrawnScales[] = {100, 125, 150, 200};

// The two default skins, the design layout's and the alternative layout's, at the fonts' scale.
SkinArt DefaultSkinArt(const Fonts& fonts);
SkinArt WideSkinArt(const Fonts& fonts);

// The application icon at the given side, 0xAARRGGBB.
Pixels IconImage(int side);

}  // namespace ss::skingen
