#include "tools/skingen/halo_art.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace ss::skingen {

namespace {

// The shadow: how far it drops and spreads, in design units, and how dark it is at most.
constexpr float kShadowDrop = 2.0f;
constexpr float kShadowBlur = 4.0f;
constexpr float kShadowOpacity = 0.35f;

void Put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

std::uint32_t Byte(float value) {
  return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255));
}

}  // namespace

Pixels RenderHalo(const SkinArt& art) {
  const auto pixels = [&](float design) {
    return static_cast<int>(std::lround(design * art.scale));
  };
  const int margin = pixels(kHaloMargin);
  const int width = pixels(static_cast<float>(art.width)) + 2 * margin;
  const int height = pixels(static_cast<float>(art.height)) + 2 * margin;
  // Both masks in the window's pixels, reaching the margin beyond its top-left corner.
  Mask rim(-margin, -margin, width, height, art.scale);
  rim.add(art.outline);
  const float drop = kShadowDrop;
  const Shape& outline = art.outline;
  Mask shadow(-margin, -margin, width, height, art.scale);
  shadow.add([&](float x, float y) { return outline(x, y - drop); }).blur(kShadowBlur);

  Pixels halo{width, height, std::vector<std::uint32_t>(static_cast<size_t>(width) * height)};
  const std::uint32_t edge = ToRgb8(art.edge);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float cover = rim.at(x - margin, y - margin);
      std::uint32_t& out = halo.rgb[static_cast<size_t>(y) * width + x];
      // The glyph keeps pixels at least half covered: the window itself shows there.
      if (cover >= 0.5f) {
        out = 0xFF000000u | edge;
        continue;
      }
      // The rim in the edge colour over the black shadow: its alpha and the colour it shows.
      const float dark = shadow.at(x - margin, y - margin) * kShadowOpacity * (1 - cover);
      const float alpha = cover + dark;
      if (alpha <= 0) {
        out = 0;
        continue;
      }
      const float keep = cover / alpha;
      out = Byte(alpha) << 24 | Byte(art.edge.r * keep) << 16 | Byte(art.edge.g * keep) << 8 |
            Byte(art.edge.b * keep);
    }
  }
  return halo;
}

std::string EncodeAlphaBmp(const Pixels& pixels) {
  constexpr std::uint32_t kHeaders = 14 + 108;
  const auto dataSize = static_cast<std::uint32_t>(pixels.width * pixels.height * 4);
  std::string out = "BM";
  Put(out, kHeaders + dataSize, 4);
  Put(out, 0, 4);
  Put(out, kHeaders, 4);
  Put(out, 108, 4);
  Put(out, static_cast<std::uint32_t>(pixels.width), 4);
  Put(out, static_cast<std::uint32_t>(pixels.height), 4);
  Put(out, 1, 2);
  Put(out, 32, 2);
  Put(out, 3, 4);  // bit fields
  Put(out, dataSize, 4);
  Put(out, 2835, 4);  // 72 DPI, as pixels per metre
  Put(out, 2835, 4);
  Put(out, 0, 4);
  Put(out, 0, 4);
  for (std::uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) Put(out, mask, 4);
  Put(out, 0x73524742, 4);    // 'sRGB'
  out.append(36 + 12, '\0');  // end points and gammas, unused for sRGB
  for (int y = pixels.height - 1; y >= 0; --y) {
    for (int x = 0; x < pixels.width; ++x) Put(out, pixels.at(x, y), 4);
  }
  return out;
}

}  // namespace ss::skingen
