// The application icon: the logo drawn afresh at each size, so small sizes stay crisp.
#include "tools/skingen/art_kit.h"
#include "tools/skingen/skin_art.h"

#include <algorithm>

namespace ss::skingen {

Pixels IconImage(int side) {
  // Drawn once over black and once over white: a pixel's alpha is what the two disagree by,
  // and its colour is the black version divided by that alpha.
  const float s = static_cast<float>(side);
  Image onBlack(side, side, Hex(0x000000));
  Image onWhite(side, side, Hex(0xFFFFFF));
  DrawLogo(onBlack, {0, 0, s, s});
  DrawLogo(onWhite, {0, 0, s, s});
  Pixels icon{side, side, {}};
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const Color b = onBlack.at(x, y), w = onWhite.at(x, y);
      const float alpha =
          std::clamp(1.0f - ((w.r - b.r) + (w.g - b.g) + (w.b - b.b)) / 3, 0.0f, 1.0f);
      const Color straight = alpha > 0 ? Color{b.r / alpha, b.g / alpha, b.b / alpha, 1} : Color{};
      const std::uint32_t a8 = static_cast<std::uint32_t>(alpha * 255.0f + 0.5f);
      icon.rgb.push_back(a8 == 0 ? 0 : (a8 << 24) | ToRgb8(straight));
    }
  }
  return icon;
}

}  // namespace ss::skingen
