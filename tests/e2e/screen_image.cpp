#include "screen_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "gui/handle.h"
#include "test_support.h"

namespace ss::e2e {

namespace {

std::uint32_t Read32(const std::string& bytes, size_t at) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

// A 32-bit top-down DIB section with a memory DC selecting it: what the tests draw into and
// read from, whatever the screen's format.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<std::uint32_t*>(bits);
    dc_.reset(CreateCompatibleDC(nullptr));
    old_ = SelectObject(dc_.get(), bitmap_.get());
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas() { SelectObject(dc_.get(), old_); }

  HDC dc() const { return dc_.get(); }
  bool ok() const { return bits_ != nullptr; }

  void put(const Image& image) {
    GdiFlush();
    for (size_t i = 0; i < image.pixels.size(); ++i) {
      const COLORREF c = image.pixels[i];
      bits_[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  }
  Image take() const {
    // Drawing may still be queued: the pixels are read only after it has landed.
    GdiFlush();
    Image image{width_, height_, {}};
    image.pixels.resize(static_cast<size_t>(width_) * height_);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
      const std::uint32_t p = bits_[i];
      image.pixels[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    return image;
  }

 private:
  int width_;
  int height_;
  BitmapHandle bitmap_;
  MemoryDcHandle dc_;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// Draws `text` at `at` like a label that sizes itself to its text (or wraps within `width`).
void DrawLabelText(HDC dc, HFONT font, COLORREF color, POINT at, const std::string& text, int width,
                   int height) {
  SelectObjectScope selected(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  // No DT_NOPREFIX: a single "&" underlines the next character, as in every launcher label.
  const UINT flags = DT_LEFT | DT_EXPANDTABS | (width > 0 ? DT_WORDBREAK : 0);
  RECT box{at.x, at.y, at.x + width, at.y + height};
  if (width <= 0) {
    const std::string measured = text.empty() ? std::string(" ") : text;
    RECT size{0, 0, 0, 0};
    DrawTextA(dc, measured.c_str(), static_cast<int>(measured.size()), &size, flags | DT_CALCRECT);
    box = RECT{at.x, at.y, at.x + size.right, at.y + size.bottom};
  }
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, flags);
}

}  // namespace

Image Image::crop(const RECT& area) const {
  Image part{area.right - area.left, area.bottom - area.top, {}};
  part.pixels.reserve(static_cast<size_t>(part.width) * part.height);
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) part.pixels.push_back(at(x, y));
  }
  return part;
}

Image ReadBitmapFile(const std::string& path) {
  const std::string bytes = test::ReadFileBytes(path);
  Image image;
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
    ADD_FAILURE() << "not a bitmap file: " << path;
    return image;
  }
  const std::uint32_t offset = Read32(bytes, 10);
  const auto width = static_cast<std::int32_t>(Read32(bytes, 18));
  const auto height = static_cast<std::int32_t>(Read32(bytes, 22));
  const std::uint16_t bitCount = static_cast<std::uint16_t>(Read32(bytes, 28) & 0xFFFF);
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
  const bool bottomUp = height > 0;
  const int rows = bottomUp ? height : -height;
  if (bitCount != 24 || width <= 0 || rows == 0 || offset + stride * rows > bytes.size()) {
    ADD_FAILURE() << "not a 24-bit bitmap file this test can read: " << path;
    return image;
  }
  image.width = width;
  image.height = rows;
  image.pixels.resize(static_cast<size_t>(width) * rows);
  for (int y = 0; y < rows; ++y) {
    const size_t row = offset + stride * static_cast<size_t>(bottomUp ? rows - 1 - y : y);
    for (int x = 0; x < width; ++x) {
      const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + row + 3 * x);
      image.pixels[static_cast<size_t>(y) * width + x] = RGB(p[2], p[1], p[0]);
    }
  }
  return image;
}

Image CaptureScreen(const RECT& area) {
  Canvas canvas(area.right - area.left, area.bottom - area.top);
  if (!canvas.ok()) {
    ADD_FAILURE() << "cannot make a bitmap for the screen";
    return {};
  }
  WindowDc screen(nullptr);
  BitBlt(canvas.dc(), 0, 0, area.right - area.left, area.bottom - area.top, screen.get(), area.left,
         area.top, SRCCOPY);
  return canvas.take();
}

int DifferentPixels(const Image& a, const Image& b) {
  if (a.width != b.width || a.height != b.height) {
    return static_cast<int>(std::max(a.pixels.size(), b.pixels.size()));
  }
  int count = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) count += a.pixels[i] != b.pixels[i];
  return count;
}

Image InfoLineLook(const Image& background, const InfoLineStyle& style, const std::string& text) {
  Canvas canvas(background.width, background.height);
  if (!canvas.ok()) return {};
  canvas.put(background);
  LOGFONTA logFont{};
  logFont.lfHeight = -11;
  logFont.lfWeight = FW_NORMAL;
  logFont.lfCharSet = ANSI_CHARSET;
  lstrcpynA(logFont.lfFaceName, "Tahoma", LF_FACESIZE);
  FontHandle font(CreateFontIndirectA(&logFont));
  if (style.withWhite) {
    DrawLabelText(canvas.dc(), font.get(), RGB(255, 255, 255), style.white, text, 0, 0);
  }
  DrawLabelText(canvas.dc(), font.get(), style.darkColor, style.dark, text, style.wrapWidth,
                style.wrapHeight);
  return canvas.take();
}

}  // namespace ss::e2e
