// Rendering a skin's artwork into its pictures: the outline, the key colour and the crops.
#include "tools/skingen/skin_art.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace ss::skingen {

namespace {

// The whole window with every button in its normal look except `active`, shown in `look`.
Image Compose(const SkinArt& art, const Image& background, size_t active, Look look) {
  Image image = background;
  for (size_t i = 0; i < art.buttons.size(); ++i) {
    art.buttons[i].draw(image, i == active ? look : Look::Normal);
  }
  // A one-pixel frame in the edge colour, so the outline reads as a border on any desktop.
  Fill(image, InnerStroke(art.outline, 1.0f),
       Rect{0, 0, static_cast<float>(art.width), static_cast<float>(art.height)}, Solid(art.edge));
  return image;
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
  art.background(background);
  const Image window = Compose(art, background, none, Look::Normal);

  // Pixels less than half inside the outline take the key colour; the rest keep the artwork,
  // whose partly covered edge pixels blended toward the edge colour, never toward fuchsia.
  Mask inside(0, 0, width, height, art.scale);
  inside.add(art.outline);
  skin.glyph = ToPixels(window);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float cover = inside.at(x, y);
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
    for (size_t look = 0; look < 3; ++look) {
      const Image whole = look == 0 ? window : Compose(art, background, i, kLooks[look]);
      skin.pictures[i][look] =
          ToPixels(whole.crop(pixels(b.left), pixels(b.top), pixels(b.width), pixels(b.height)));
    }
  }
  return skin;
}

}  // namespace ss::skingen
