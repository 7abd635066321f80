// Shapes as signed-distance functions, coverage masks and compositing for the skin artwork.
#include "tools/skingen/raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ss::skingen {

namespace {

float Clamp01(float v) {
  return std::clamp(v, 0.0f, 1.0f);
}

// Coverage of a pixel whose centre lies `distance` from an edge: a one-pixel linear ramp,
// which is exact for straight edges and close enough for curves of a few pixels' radius.
float Coverage(float distance) {
  return Clamp01(0.5f - distance);
}

std::uint32_t Channel8(float v) {
  return static_cast<std::uint32_t>(std::lround(Clamp01(v) * 255.0f));
}

}  // namespace

Color Hex(std::uint32_t rgb, float alpha) {
  return {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f,
          alpha};
}

Color Mix(Color from, Color to, float t) {
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
          from.a + (to.a - from.a) * t};
}

Color WithAlpha(Color c, float alpha) {
  return {c.r, c.g, c.b, alpha};
}

Color Shade(Color c, float t) {
  const Color target = t >= 0 ? Color{1, 1, 1, c.a} : Color{0, 0, 0, c.a};
  return Mix(c, target, std::fabs(t));
}

Image::Image(int width, int height, Color fill, float scale)
    : width_(width),
      height_(height),
      scale_(scale),
      pixels_(static_cast<size_t>(width) * height, fill) {}

Image Image::crop(int x, int y, int width, int height) const {
  Image part(width, height, Color{0, 0, 0, 1}, scale_);
  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) {
      const int sx = x + col, sy = y + row;
      if (sx >= 0 && sy >= 0 && sx < width_ && sy < height_) part.at(col, row) = at(sx, sy);
    }
  }
  return part;
}

std::uint32_t Image::rgb8(int x, int y) const {
  return ToRgb8(at(x, y));
}

std::uint32_t ToRgb8(Color c) {
  return (Channel8(c.r) << 16) | (Channel8(c.g) << 8) | Channel8(c.b);
}

Shape RoundRect(Rect r, float radius) {
  return RoundRect4(r, radius, radius, radius, radius);
}

Shape RoundRect4(Rect r, float tl, float tr, float br, float bl) {
  return [=](float x, float y) {
    const float cx = r.centerX(), cy = r.centerY();
    const float px = x - cx, py = y - cy;
    // The corner that the point's quadrant belongs to sets the radius.
    const float radius = px < 0 ? (py < 0 ? tl : bl) : (py < 0 ? tr : br);
    const float qx = std::fabs(px) - r.w / 2 + radius;
    const float qy = std::fabs(py) - r.h / 2 + radius;
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
  };
}

Shape Circle(float cx, float cy, float radius) {
  return [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; };
}

Shape Capsule(float x0, float y0, float x1, float y1, float width) {
  return [=](float x, float y) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = dx * dx + dy * dy;
    const float t = len2 > 0 ? Clamp01(((x - x0) * dx + (y - y0) * dy) / len2) : 0.0f;
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - width / 2;
  };
}

Shape Polygon(std::vector<float> points) {
  return [pts = std::move(points)](float x, float y) {
    const size_t n = pts.size() / 2;
    float best = 1e30f;
    bool inside = false;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      const float xi = pts[2 * i], yi = pts[2 * i + 1], xj = pts[2 * j], yj = pts[2 * j + 1];
      const float ex = xj - xi, ey = yj - yi;
      const float len2 = ex * ex + ey * ey;
      const float t = len2 > 0 ? Clamp01(((x - xi) * ex + (y - yi) * ey) / len2) : 0.0f;
      best = std::min(best, std::hypot(x - (xi + t * ex), y - (yi + t * ey)));
      // Even-odd crossing test along a horizontal ray.
      if ((yi > y) != (yj > y) && x < xi + (y - yi) * ex / ey) inside = !inside;
    }
    return inside ? -best : best;
  };
}

Shape Stroke(Shape shape, float width) {
  return [=](float x, float y) { return std::fabs(shape(x, y)) - width / 2; };
}

Shape InnerStroke(Shape shape, float width) {
  return [=](float x, float y) {
    const float d = shape(x, y);
    return std::max(d, -(d + width));
  };
}

Shape Subtract(Shape a, Shape b) {
  return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

Shape Intersect(Shape a, Shape b) {
  return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

Paint Solid(Color c) {
  return [=](float, float) { return c; };
}

Paint Linear(float x0, float y0, Color c0, float x1, float y1, Color c1) {
  return [=](float x, float y) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = dx * dx + dy * dy;
    const float t = len2 > 0 ? Clamp01(((x - x0) * dx + (y - y0) * dy) / len2) : 0.0f;
    return Mix(c0, c1, t);
  };
}

Paint VerticalStops(float top, float bottom, std::vector<std::pair<float, Color>> stops) {
  return [=](float, float y) {
    const float t = bottom > top ? Clamp01((y - top) / (bottom - top)) : 0.0f;
    if (t <= stops.front().first) return stops.front().second;
    for (size_t i = 1; i < stops.size(); ++i) {
      if (t <= stops[i].first) {
        const float span = stops[i].first - stops[i - 1].first;
        return Mix(stops[i - 1].second, stops[i].second,
                   span > 0 ? (t - stops[i - 1].first) / span : 1.0f);
      }
    }
    return stops.back().second;
  };
}

Paint Radial(float cx, float cy, float radius, Color inner, Color outer) {
  return [=](float x, float y) {
    return Mix(inner, outer, Clamp01(std::hypot(x - cx, y - cy) / radius));
  };
}

Mask::Mask(int x, int y, int width, int height, float scale)
    : x_(x),
      y_(y),
      width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      scale_(scale),
      cover_(static_cast<size_t>(width_) * height_, 0.0f) {}

Mask Mask::Around(Rect bounds, float scale, int margin) {
  const int pad = static_cast<int>(std::ceil(margin * scale));
  const int left = static_cast<int>(std::floor(bounds.x * scale)) - pad;
  const int top = static_cast<int>(std::floor(bounds.y * scale)) - pad;
  const int right = static_cast<int>(std::ceil(bounds.right() * scale)) + pad;
  const int bottom = static_cast<int>(std::ceil(bounds.bottom() * scale)) + pad;
  return Mask(left, top, right - left, bottom - top, scale);
}

float Mask::at(int px, int py) const {
  if (px < x_ || py < y_ || px >= x_ + width_ || py >= y_ + height_) return 0.0f;
  return cover_[static_cast<size_t>(py - y_) * width_ + (px - x_)];
}

float Mask::distance(const Shape& shape, int px, int py) const {
  // Dividing and multiplying by a scale of 1 is exact: 100 % pictures stay as they were drawn
  // before there were scales.
  return shape((px + 0.5f) / scale_, (py + 0.5f) / scale_) * scale_;
}

Mask& Mask::add(const Shape& shape) {
  for (int py = y_; py < y_ + height_; ++py) {
    for (int px = x_; px < x_ + width_; ++px) {
      float& c = cell(px, py);
      c = std::max(c, Coverage(distance(shape, px, py)));
    }
  }
  return *this;
}

Mask& Mask::clip(const Shape& shape) {
  for (int py = y_; py < y_ + height_; ++py) {
    for (int px = x_; px < x_ + width_; ++px) {
      float& c = cell(px, py);
      if (c > 0) c *= Coverage(distance(shape, px, py));
    }
  }
  return *this;
}

Mask& Mask::addBitmap(const unsigned char* cover, int width, int height, int pitch, int px,
                      int py) {
  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) {
      const int x = px + col, y = py + row;
      if (x < x_ || y < y_ || x >= x_ + width_ || y >= y_ + height_) continue;
      float& c = cell(x, y);
      c = std::min(1.0f, c + cover[row * pitch + col] / 255.0f);
    }
  }
  return *this;
}

Mask& Mask::blur(float radius) {
  // Three box blurs of width w approximate a Gaussian of sigma ~ w / 2.
  const int half = std::max(1, static_cast<int>(std::lround(radius * scale_ / 2)));
  std::vector<float> line;
  auto pass = [&](int count, int length, auto index) {
    line.resize(static_cast<size_t>(length));
    for (int i = 0; i < count; ++i) {
      for (int k = 0; k < length; ++k) line[k] = cover_[index(i, k)];
      float sum = 0;
      for (int k = -half; k <= half; ++k) sum += (k >= 0 && k < length) ? line[k] : 0.0f;
      for (int k = 0; k < length; ++k) {
        cover_[index(i, k)] = sum / (2 * half + 1);
        const int out = k - half, in = k + half + 1;
        if (out >= 0) sum -= line[out];
        if (in < length) sum += line[in];
      }
    }
  };
  for (int round = 0; round < 3; ++round) {
    pass(height_, width_,
         [&](int row, int col) { return static_cast<size_t>(row) * width_ + col; });
    pass(width_, height_,
         [&](int col, int row) { return static_cast<size_t>(row) * width_ + col; });
  }
  return *this;
}

void Composite(Image& image, const Mask& mask, const Paint& paint, float opacity, int dx, int dy) {
  const float scale = image.scale();
  dx = static_cast<int>(std::lround(dx * scale));
  dy = static_cast<int>(std::lround(dy * scale));
  const int left = std::max(0, mask.x() + dx), top = std::max(0, mask.y() + dy);
  const int right = std::min(image.width(), mask.x() + dx + mask.width());
  const int bottom = std::min(image.height(), mask.y() + dy + mask.height());
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const float cover = mask.at(x - dx, y - dy) * opacity;
      if (cover <= 0) continue;
      const Color src = paint((x + 0.5f) / scale, (y + 0.5f) / scale);
      const float a = Clamp01(src.a * cover);
      Color& dst = image.at(x, y);
      dst = {dst.r + (src.r - dst.r) * a, dst.g + (src.g - dst.g) * a, dst.b + (src.b - dst.b) * a,
             1.0f};
    }
  }
}

void Fill(Image& image, const Shape& shape, Rect bounds, const Paint& paint, float opacity) {
  Mask mask = Mask::Around(bounds, image.scale());
  mask.add(shape);
  Composite(image, mask, paint, opacity);
}

void Shadow(Image& image, const Shape& shape, Rect bounds, Color color, float blur, int dx,
            int dy) {
  Mask mask = Mask::Around(bounds, image.scale(), static_cast<int>(std::ceil(blur * 1.5f)) + 1);
  mask.add(shape).blur(blur);
  Composite(image, mask, Solid(color), 1.0f, dx, dy);
}

}  // namespace ss::skingen
