// A small anti-aliased software rasteriser for the skin artwork: colours, images, coverage
// masks built from signed-distance shapes, paints and compositing. Shapes, paints and the
// places given to the drawing calls are in design units (pixels at 100 %); an image holds its
// pixels at a scale, so the same drawing renders crisp at 200 %.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace ss::skingen {

// sRGB colour with straight alpha, each channel 0..1.
struct Color {
  float r = 0, g = 0, b = 0, a = 1;
};

// 0xRRGGBB as written in design tools (not the Windows 0x00BBGGRR order).
Color Hex(std::uint32_t rgb, float alpha = 1.0f);
Color Mix(Color from, Color to, float t);
Color WithAlpha(Color c, float alpha);
// Lighter (t > 0, toward white) or darker (t < 0, toward black).
Color Shade(Color c, float t);
// 0xRRGGBB with 8-bit channels, rounded; alpha is ignored.
std::uint32_t ToRgb8(Color c);

struct Rect {
  float x = 0, y = 0, w = 0, h = 0;
  float right() const { return x + w; }
  float bottom() const { return y + h; }
  float centerX() const { return x + w / 2; }
  float centerY() const { return y + h / 2; }
  Rect inset(float d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
  Rect moved(float dx, float dy) const { return {x + dx, y + dy, w, h}; }
};

class Image;

// A drawing that must not be mirrored with the art around it (words, icons with a direction),
// kept to be drawn as it is into the mirrored place of its box.
struct KeptDrawing {
  Rect box;
  std::function<void(Image&, Rect)> draw;
};

// An opaque RGB picture at `scale` pixels per design unit; pixel (x, y) covers
// [x, x+1) x [y, y+1) in pixels.
class Image {
 public:
  Image() = default;
  Image(int width, int height, Color fill = {}, float scale = 1);
  // Sides in pixels.
  int width() const { return width_; }
  int height() const { return height_; }
  float scale() const { return scale_; }
  // The whole picture in design units.
  Rect area() const { return {0, 0, width_ / scale_, height_ / scale_}; }
  Color& at(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  const Color& at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  // The part at pixel (x, y) of the given size in pixels; the area outside this image stays
  // black.
  Image crop(int x, int y, int width, int height) const;
  // 8-bit channels, rounded; used when the picture is written.
  std::uint32_t rgb8(int x, int y) const;
  // While `kept` is set, drawings that must not be mirrored are kept there instead of drawn on
  // the image, to be drawn once the rest of it is mirrored (copies of the image share it).
  void keepDrawings(std::vector<KeptDrawing>* kept) { kept_ = kept; }
  std::vector<KeptDrawing>* keptDrawings() const { return kept_; }

 private:
  int width_ = 0;
  int height_ = 0;
  float scale_ = 1;
  std::vector<Color> pixels_;
  std::vector<KeptDrawing>* kept_ = nullptr;
};

// Signed distance from a point to a shape's edge: negative inside.
using Shape = std::function<float(float x, float y)>;
// Colour of a paint at a point.
using Paint = std::function<Color(float x, float y)>;

Shape RoundRect(Rect r, float radius);
// A rectangle with its own radius per corner: top-left, top-right, bottom-right, bottom-left.
Shape RoundRect4(Rect r, float tl, float tr, float br, float bl);
Shape Circle(float cx, float cy, float radius);
// A line from (x0, y0) to (x1, y1) with round ends.
Shape Capsule(float x0, float y0, float x1, float y1, float width);
// A closed polygon; points as x, y pairs.
Shape Polygon(std::vector<float> points);
// A band of `width` centred on the edge of `shape`.
Shape Stroke(Shape shape, float width);
// A band of `width` just inside the edge of `shape`.
Shape InnerStroke(Shape shape, float width);
Shape Subtract(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);

Paint Solid(Color c);
// Linear gradient from c0 at (x0, y0) to c1 at (x1, y1).
Paint Linear(float x0, float y0, Color c0, float x1, float y1, Color c1);
// Vertical gradient through colour stops at fractions of [top, bottom].
Paint VerticalStops(float top, float bottom, std::vector<std::pair<float, Color>> stops);
Paint Radial(float cx, float cy, float radius, Color inner, Color outer);

// Coverage of an area of a picture at `scale` pixels per design unit: 0 outside, 1 inside,
// fractional at anti-aliased edges, which are a pixel wide at any scale.
class Mask {
 public:
  // Covers the pixels [x, x+width) x [y, y+height) of the picture.
  Mask(int x, int y, int width, int height, float scale);
  // Covers `bounds` widened by `margin` on every side, both in design units.
  static Mask Around(Rect bounds, float scale, int margin = 1);
  int x() const { return x_; }
  int y() const { return y_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Coverage at a picture pixel; 0 outside the mask's area.
  float at(int px, int py) const;

  // Adds a shape, anti-aliased (union with what is there).
  Mask& add(const Shape& shape);
  // Keeps only what also lies in the shape.
  Mask& clip(const Shape& shape);
  // Adds an 8-bit coverage bitmap (a rendered glyph) with its top-left at (px, py).
  Mask& addBitmap(const unsigned char* cover, int width, int height, int pitch, int px, int py);
  // Gaussian-like blur (three box passes) of about the given radius in design units.
  Mask& blur(float radius);

 private:
  float& cell(int px, int py) { return cover_[static_cast<size_t>(py - y_) * width_ + (px - x_)]; }
  // A shape's signed distance from a pixel's centre, in pixels.
  float distance(const Shape& shape, int px, int py) const;

  int x_, y_, width_, height_;
  float scale_;
  std::vector<float> cover_;
};

// Blends `paint` over the image where `mask` covers it, shifted by (dx, dy) design units.
void Composite(Image& image, const Mask& mask, const Paint& paint, float opacity = 1, int dx = 0,
               int dy = 0);
// Fills a shape lying within `bounds` with a paint, anti-aliased.
void Fill(Image& image, const Shape& shape, Rect bounds, const Paint& paint, float opacity = 1);
// A soft shadow (or glow) of a shape lying within `bounds`, blurred and moved by (dx, dy).
void Shadow(Image& image, const Shape& shape, Rect bounds, Color color, float blur, int dx = 0,
            int dy = 0);

}  // namespace ss::skingen
