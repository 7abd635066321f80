// The shared drawings of the skins: logo, discs, tool icons and small symbols.
#include "tools/skingen/art_kit.h"

#include <algorithm>
#include <cmath>

namespace ss::skingen {

namespace {

constexpr float kPi = 3.14159265f;

Rect Bounds(float cx, float cy, float r) {
  return {cx - r, cy - r, 2 * r, 2 * r};
}

// The silver of a disc with two opposite soft highlights, faintly tinted as a real disc's
// surface is; kept far from magenta so that no pixel can pass for the key colour.
Paint DiscPaint(float cx, float cy, float radius) {
  return [=](float x, float y) {
    const float angle = std::atan2(y - cy, x - cx);
    const float distance = std::hypot(x - cx, y - cy) / radius;
    const float sheen = std::pow(std::max(0.0f, std::cos(2 * (angle + 0.75f))), 2.0f);
    const Color base = Mix(Hex(0xF1F4F8), Hex(0xAEB9C7), std::clamp(distance * 0.9f, 0.0f, 1.0f));
    // Cyan through pale gold to pale green across each highlight, as light splits on a disc.
    const float across = 0.5f + 0.5f * std::sin(4 * (angle + 0.75f));
    const Color tint = across < 0.5f ? Mix(Hex(0xC8F0FF), Hex(0xFFF0C2), across * 2)
                                     : Mix(Hex(0xFFF0C2), Hex(0xD2F7DA), across * 2 - 1);
    return Mix(base, tint, 0.9f * sheen);
  };
}

}  // namespace

Accent FileAccent() {
  return {Hex(0x3D8BFF), Hex(0x1C5FD6)};
}
Accent VideoAccent() {
  return {Hex(0xFF8A4C), Hex(0xE5482F)};
}
Accent MusicAccent() {
  return {Hex(0x35C97C), Hex(0x159957)};
}
Accent ToolsAccent() {
  return {Hex(0x6F7DF7), Hex(0x4450D6)};
}
Accent BrandAccent() {
  return {Hex(0x2F86F0), Hex(0x1849A8)};
}

ToolCard BigButtonCard(int index) {
  switch (index) {
    case 0:
      return {FileAccent(), ToolSymbol::FileDisc};
    case 1:
      return {VideoAccent(), ToolSymbol::VideoDisc};
    case 2:
      return {MusicAccent(), ToolSymbol::MusicDisc};
    default:
      return {ToolsAccent(), ToolSymbol::MoreTools};
  }
}

void DrawDisc(Image& image, float cx, float cy, float radius, Color hole) {
  const Rect bounds = Bounds(cx, cy, radius);
  Fill(image, Circle(cx, cy, radius), bounds, DiscPaint(cx, cy, radius));
  // The clear inner band and the hub of a real disc.
  Fill(image, Circle(cx, cy, radius * 0.34f), bounds, Solid(Hex(0xE3E8EF)));
  Fill(image, Stroke(Circle(cx, cy, radius * 0.34f), std::max(0.6f, radius * 0.03f)), bounds,
       Solid(Hex(0x9AA6B6)));
  Fill(image, Circle(cx, cy, radius * 0.15f), bounds, Solid(hole));
  Fill(image, InnerStroke(Circle(cx, cy, radius), std::max(0.7f, radius * 0.04f)), bounds,
       Solid(Hex(0x8592A5)), 0.8f);
}

void DrawLogo(Image& image, Rect box) {
  const float s = box.w;
  const Accent brand = BrandAccent();
  const Shape tile = RoundRect(box.inset(s * 0.02f), s * 0.22f);
  Fill(image, tile, box, Linear(0, box.y, brand.top, 0, box.bottom(), brand.bottom));
  // A soft light from above across the tile's upper half.
  Fill(image, Intersect(tile, Circle(box.centerX(), box.y - s * 0.35f, s * 0.8f)), box,
       Solid(Hex(0xFFFFFF, 0.12f)));
  const float r = s * 0.36f;
  if (s >= 24)
    Shadow(image, Circle(box.centerX(), box.centerY(), r), box, Hex(0x0A1E44, 0.45f), s * 0.04f, 0,
           static_cast<int>(s * 0.02f));
  DrawDisc(image, box.centerX(), box.centerY(), r, brand.bottom);
}

void DrawToolIcon(Image& image, Rect box, const Accent& accent, ToolSymbol symbol) {
  // Its symbols point one way (a play triangle), so a mirrored window shows them as they are.
  if (std::vector<KeptDrawing>* kept = image.keptDrawings()) {
    kept->push_back({box, [accent, symbol](Image& into, Rect place) {
                       DrawToolIcon(into, place, accent, symbol);
                     }});
    return;
  }
  const float s = box.w / 48.0f;
  auto X = [&](float u) { return box.x + u * s; };
  auto Y = [&](float v) { return box.y + v * s; };
  const Shape tile = RoundRect(box, 11 * s);
  Fill(image, tile, box, Linear(0, box.y, accent.top, 0, box.bottom(), accent.bottom));
  Fill(image, Intersect(tile, Circle(box.centerX(), box.y - 20 * s, 44 * s)), box,
       Solid(Hex(0xFFFFFF, 0.14f)));

  if (symbol == ToolSymbol::MoreTools) {
    // Four small tiles: the suite's other tools.
    for (int row = 0; row < 2; ++row) {
      for (int col = 0; col < 2; ++col) {
        const Rect cell{X(12 + col * 13.0f), Y(12 + row * 13.0f), 11 * s, 11 * s};
        const bool solid = row == col;
        Fill(image, RoundRect(cell, 3 * s), cell, Solid(Hex(0xFFFFFF, solid ? 1.0f : 0.72f)));
      }
    }
    return;
  }

  // A white disc slightly up and left, a round badge at the lower right.
  const float cx = X(21), cy = Y(21), r = 13.5f * s;
  Fill(image, Subtract(Circle(cx, cy, r), Circle(cx, cy, 3.2f * s)), Bounds(cx, cy, r),
       Solid(Hex(0xFFFFFF)));
  Fill(image, Stroke(Circle(cx, cy, 7.5f * s), 1.1f * s), Bounds(cx, cy, r), Solid(accent.mid()),
       0.35f);
  const float bx = X(34), by = Y(34), br = 9.5f * s;
  Fill(image, Circle(bx, by, br + 2 * s), Bounds(bx, by, br + 2 * s), Solid(accent.bottom));
  Fill(image, Circle(bx, by, br), Bounds(bx, by, br), Solid(Hex(0xFFFFFF)));
  const Color ink = accent.bottom;
  const Rect badge = Bounds(bx, by, br);
  switch (symbol) {
    case ToolSymbol::FileDisc: {
      // A page with a folded corner and two lines of text.
      const Shape page =
          Polygon({bx - 4 * s, by - 5.5f * s, bx + 1.5f * s, by - 5.5f * s, bx + 4 * s, by - 3 * s,
                   bx + 4 * s, by + 5.5f * s, bx - 4 * s, by + 5.5f * s});
      Fill(image, page, badge, Solid(ink));
      Fill(image, Capsule(bx - 2 * s, by - 0.5f * s, bx + 2 * s, by - 0.5f * s, 1.1f * s), badge,
           Solid(Hex(0xFFFFFF)));
      Fill(image, Capsule(bx - 2 * s, by + 2.5f * s, bx + 2 * s, by + 2.5f * s, 1.1f * s), badge,
           Solid(Hex(0xFFFFFF)));
      break;
    }
    case ToolSymbol::VideoDisc:
      Fill(image, Polygon({bx - 3 * s, by - 5 * s, bx + 5 * s, by, bx - 3 * s, by + 5 * s}), badge,
           Solid(ink));
      break;
    case ToolSymbol::MusicDisc:
      // An eighth note: head, stem and flag.
      Fill(image, Circle(bx - 1.6f * s, by + 3 * s, 2.6f * s), badge, Solid(ink));
      Fill(image, Capsule(bx + 0.7f * s, by + 3 * s, bx + 0.7f * s, by - 5.5f * s, 1.5f * s), badge,
           Solid(ink));
      Fill(image, Capsule(bx + 0.9f * s, by - 5.2f * s, bx + 4.2f * s, by - 2.2f * s, 1.6f * s),
           badge, Solid(ink));
      break;
    case ToolSymbol::MoreTools:
      break;
  }
}

void DrawMinus(Image& image, Rect box, Color color) {
  const float cx = box.centerX(), cy = box.centerY() + 0.5f;
  Fill(image, Capsule(cx - 4.5f, cy, cx + 4.5f, cy, 1.6f), box, Solid(color));
}

void DrawCross(Image& image, Rect box, Color color) {
  const float cx = box.centerX(), cy = box.centerY(), d = 3.8f;
  Fill(image, Capsule(cx - d, cy - d, cx + d, cy + d, 1.6f), box, Solid(color));
  Fill(image, Capsule(cx - d, cy + d, cx + d, cy - d, 1.6f), box, Solid(color));
}

void DrawHouse(Image& image, Rect box, Color color, Color door) {
  const float cx = box.centerX(), cy = box.centerY();
  // Roof and walls as one outline, a door cut into them.
  const Shape house =
      Polygon({cx, cy - 6.5f, cx + 6.5f, cy - 0.5f, cx + 4.5f, cy - 0.5f, cx + 4.5f, cy + 6,
               cx - 4.5f, cy + 6, cx - 4.5f, cy - 0.5f, cx - 6.5f, cy - 0.5f});
  Fill(image, house, box, Solid(color));
  Fill(image, RoundRect({cx - 1.5f, cy + 1.5f, 3, 4.5f}, 0.5f), box, Solid(door));
}

void DrawStar(Image& image, Rect box, Color color) {
  const float cx = box.centerX(), cy = box.centerY() + 0.5f;
  std::vector<float> points;
  for (int i = 0; i < 10; ++i) {
    const float angle = -kPi / 2 + i * kPi / 5;
    const float radius = i % 2 == 0 ? 7.0f : 2.9f;
    points.push_back(cx + radius * std::cos(angle));
    points.push_back(cy + radius * std::sin(angle));
  }
  Fill(image, Polygon(points), box, Solid(color));
}

void DrawLetterBadge(Image& image, Rect box, const Font& font, const char* letter, Color badge,
                     Color letterColor) {
  const float r = std::min(box.w, box.h) / 2;
  Fill(image, Circle(box.centerX(), box.centerY(), r), box, Solid(badge));
  DrawText(image, font, letter, box.moved(0.5f, 0), letterColor);
}

}  // namespace ss::skingen
