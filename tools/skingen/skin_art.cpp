// Rendering a skin's artwork into its pictures: the outline, the key colour and the crops.
#include "tools/skingen/skin_art.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace ss::skingen {

namespace {

// Mirrored art: pixel x of a picture `width` pixels wide shows pixel MirrorSource(x) of the art
// as drawn, or nothing where that is negative. The shift of one design unit in whole pixels
// brings the outline, which ends that far short of the right edge, back to the left edge, and
// leaves the rightmost column, which no outline takes, outside it.
int MirrorSource(int x, int width, float scale) {
  return width - 1 - static_cast<int>(std::floor(scale)) - x;
}

// The art mirrored, and its kept drawings drawn at the mirrored places.
Image Mirror(const Image& art, const std::vector<KeptDrawing>& kept, Color fill) {
  const float scale = art.scale();
  Image image(art.width(), art.height(), fill, scale);
  for (int y = 0; y < art.height(); ++y) {
    for (int x = 0; x < art.width(); ++x) {
      const int source = MirrorSource(x, art.width(), scale);
      if (source >= 0) image.at(x, y) = art.at(source, y);
    }
  }
  // Design point u lands on axis - u.
  const float axis = (MirrorSource(0, art.width(), scale) + 1) / scale;
  for (const KeptDrawing& drawing : kept) {
    const Rect& box = drawing.box;
    drawing.draw(image, {axis - box.x - box.w, box.y, box.w, box.h});
  }
  return image;
}

// The whole window with every button in its normal look except `active`, shown in `look`;
// `backgroundKept` is what the background kept when the art is mirrored.
Image Compose(const SkinArt& art, const Image& background,
              const std::vector<KeptDrawing>& backgroundKept, size_t active, Look look) {
  Image image = background;
  std::vector<KeptDrawing> kept = backgroundKept;
  if (art.mirrored) image.keepDrawings(&kept);
  for (size_t i = 0; i < art.buttons.size(); ++i) {
    art.buttons[i].draw(image, i == active ? look : Look::Normal);
  }
  // A one-pixel frame in the edge colour, so the outline reads as a border on any desktop.
  Fill(image, InnerStroke(art.outline, 1.0f),
       Rect{0, 0, static_cast<float>(art.width), static_cast<float>(art.height)}, Solid(art.edge));
  image.keepDrawings(nullptr);
  return art.mirrored ? Mirror(image, kept, art.edge) : image;
}

}  // namespace

namespace {

// The file in the first of the colon-separated folders that holds it; the first folder's when
// none does, so that loading it names the file missing.
std::string FontFile(const std::string& folders, const std::string& name) {
  std::string first;
  for (size_t start = 0; start <= folders.size();) {
    size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::string path = folders.substr(start, end - start) + "/" + name;
    if (first.empty()) first = path;
    if (std::filesystem::is_regular_file(path)) return path;
    start = end + 1;
  }
  return first;
}

}  // namespace

Fonts::Fonts(const std::string& folders, float scale, const Wording& words)
    : words(words),
      scale(scale),
      title(FontFile(folders, "tahomabd.ttf"), 13, 0.6f, scale),
      caption(FontFile(folders, words.boldFont), 11, 0.5f, scale),
      label(FontFile(folders, words.regularFont), 11, 0, scale),
      glyph(FontFile(folders, "tahomabd.ttf"), 11, 0.3f, scale) {}

std::map<std::string, std::string> Skin::files() const {
  std::map<std::string, std::string> files;
  files[main_window::kGlyphFile] = EncodeBmp(glyph);
  for (size_t i = 0; i < main_window::kButtons.size(); ++i) {
    for (size_t look = 0; look < 3; ++look) {
      files[main_window::kButtons[i].skinFiles[look]] = EncodeBmp(pictures[i][look]);
    }
  }
  return files;
}

std::map<std::string, std::string> Skin::filesApartFrom(const Skin& english) const {
  std::map<std::string, std::string> own = files();
  const std::map<std::string, std::string> base = english.files();
  std::erase_if(own, [&](const auto& file) { return base.at(file.first) == file.second; });
  return own;
}

std::string Skin::path() const {
  std::string path = folder;
  if (!language.empty()) path += "/" + language;
  if (percent != 100) path += "/" + std::to_string(percent);
  return path;
}

Skin Render(const SkinArt& art) {
  Skin skin;
  skin.folder = art.folder;
  skin.language = art.language;
  skin.percent = static_cast<int>(std::lround(art.scale * 100));
  const auto pixels = [&](int design) { return static_cast<int>(std::lround(design * art.scale)); };
  const int width = pixels(art.width), height = pixels(art.height);
  const size_t none = art.buttons.size();
  Image background(width, height, art.edge, art.scale);
  std::vector<KeptDrawing> backgroundKept;
  if (art.mirrored) background.keepDrawings(&backgroundKept);
  art.background(background);
  background.keepDrawings(nullptr);
  const Image window = Compose(art, background, backgroundKept, none, Look::Normal);
  // The column of the art as drawn that a column of the pictures shows.
  const auto source = [&](int x) { return art.mirrored ? MirrorSource(x, width, art.scale) : x; };

  // Pixels less than half inside the outline take the key colour; the rest keep the artwork,
  // whose partly covered edge pixels blended toward the edge colour, never toward fuchsia.
  Mask inside(0, 0, width, height, art.scale);
  inside.add(art.outline);
  skin.glyph = ToPixels(window);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float cover = inside.at(source(x), y);
      if (cover < 0.5f) {
        skin.glyph.rgb[static_cast<size_t>(y) * width + x] = kKeyRgb;
      } else if (cover < 1.0f) {
        skin.glyph.rgb[static_cast<size_t>(y) * width + x] =
            ToRgb8(Mix(art.edge, window.at(x, y), cover));
      }
    }
  }

  for (size_t i = 0; i < art.buttons.size(); ++i) {
    const ButtonArt& b = art.buttons[i];
    // Where the launcher's mirrored layout puts the button: its left edge becomes the window's
    // width minus its left edge minus its width.
    const int left = art.mirrored ? width - pixels(b.left) - pixels(b.width) : pixels(b.left);
    for (size_t look = 0; look < 3; ++look) {
      const Image whole =
          look == 0 ? window : Compose(art, background, backgroundKept, i, kLooks[look]);
      skin.pictures[i][look] =
          ToPixels(whole.crop(left, pixels(b.top), pixels(b.width), pixels(b.height)));
    }
  }
  return skin;
}

}  // namespace ss::skingen
