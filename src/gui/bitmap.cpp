#include "gui/bitmap.h"

#include <cstring>

#include "core/errors.h"
#include "core/image_header.h"
#include "core/wide.h"
#include "core/file_read.h"

namespace ss {

HDC ScreenFormatDc() {
  static const HDC dc = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
  return dc;
}

ScreenInfoDc::ScreenInfoDc()
    : cached_(ScreenFormatDc()), fallback_(cached_ ? nullptr : GetDC(nullptr)) {}

ScreenInfoDc::~ScreenInfoDc() {
  if (fallback_) ReleaseDC(nullptr, fallback_);
}

BitmapDc::BitmapDc(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
  if (dc_) old_ = SelectObject(dc_.get(), bitmap);
}

BitmapDc::~BitmapDc() {
  if (dc_ && old_) SelectObject(dc_.get(), old_);
}

namespace {

// A 32-bit DIB of this size, top row first.
BITMAPINFO TopDown32BitInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A memory DC holding a 1 x 1 bitmap of the screen's format, made once for the process: a
// compatible bitmap made from it has the screen's format too, without the display being asked
// its format at every bitmap (three requests to the window server under Wine each time, and a
// button paints through a new bitmap).
HDC BitmapFormatDc() {
  static const HDC dc = []() -> HDC {
    HDC screen = ScreenFormatDc();
    if (!screen) return nullptr;
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP one = CreateCompatibleBitmap(screen, 1, 1);
    if (!memory || !one || !SelectObject(memory, one)) {
      if (memory) DeleteDC(memory);
      if (one) DeleteObject(one);
      return nullptr;
    }
    return memory;
  }();
  return dc;
}

// A DIB section of the file's own format holding its rows: what the system's file loader
// makes of an uncompressed bitmap, without opening and mapping the file a second time.
BitmapHandle DecodePlainBitmap(const std::string& bytes, const BitmapLayout& layout) {
  // The information block, copied to aligned memory.
  std::vector<std::uint32_t> info((layout.infoBytes + 3) / 4);
  std::memcpy(info.data(), bytes.data() + layout.infoOffset, layout.infoBytes);
  void* bits = nullptr;
  BitmapHandle bitmap(CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()),
                                       DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return BitmapHandle();
  std::memcpy(bits, bytes.data() + layout.bitsOffset, layout.bitsBytes);
  return bitmap;
}

}  // namespace

Bitmap::Bitmap(const Bitmap& other) {
  *this = other;
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this == &other) return *this;
  transparent = other.transparent;
  transparentColor = other.transparentColor;
  handle_ = other.handle_;
  width_ = other.width_;
  height_ = other.height_;
  return *this;
}

HBITMAP Bitmap::handle() {
  if (handle_ && handle_.use_count() > 1 && !empty()) {
    // Drawn into while a copy shares the pixels: this side takes a copy of its own first
    // (every pixel copied over, so none need whitening).
    const auto shared = handle_;
    allocate(width_, height_);
    BitmapDc source(shared.get());
    BitmapDc target(handle_.get());
    BitBlt(target.get(), 0, 0, width_, height_, source.get(), 0, 0, SRCCOPY);
  }
  return handle_.get();
}

void Bitmap::own(BitmapHandle bitmap) {
  handle_.reset(bitmap.release(), [](HBITMAP b) { DeleteObject(b); });
}

void Bitmap::clear() {
  handle_.reset();
  width_ = 0;
  height_ = 0;
}

void Bitmap::adopt(BitmapHandle bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap.get(), sizeof info, &info)) {
    clear();
    return;
  }
  own(std::move(bitmap));
  width_ = info.bmWidth;
  height_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
}

void Bitmap::loadFromFile(const std::string& path) {
  loadFromFileBytes(ReadWholeFile(path), path);
}

void Bitmap::loadFromFileBytes(const std::string& bytes, const std::string& path) {
  // Checked in full first: a damaged file must give an error, never reach a decoder.
  const BitmapLayout layout = CheckBitmapFile(bytes);
  BitmapHandle loaded = layout.plain ? DecodePlainBitmap(bytes, layout)
                                     : BitmapHandle(static_cast<HBITMAP>(
                                           LoadImageW(nullptr, Wide(path).c_str(), IMAGE_BITMAP, 0,
                                                      0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (!loaded) throw EInvalidGraphic(kBitmapNotValid);
  adopt(std::move(loaded));
}

bool Bitmap::allocate(int width, int height) {
  if (width <= 0 || height <= 0) {
    clear();
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    return false;
  }
  BitmapHandle created;
  if (HDC format = BitmapFormatDc()) {
    created.reset(CreateCompatibleBitmap(format, width, height));
  } else {
    ScreenInfoDc screen;
    created.reset(CreateCompatibleBitmap(screen.get(), width, height));
  }
  if (!created) throw EOutOfResources("Not enough storage is available to process this command");
  own(std::move(created));
  width_ = width;
  height_ = height;
  return true;
}

void Bitmap::setSize(int width, int height) {
  if (!allocate(width, height)) return;
  BitmapDc dc(handle_.get());
  PatBlt(dc.get(), 0, 0, width, height, WHITENESS);
}

std::vector<std::uint32_t> Bitmap::pixels() const {
  std::vector<std::uint32_t> result;
  if (empty()) return result;
  BITMAPINFO info = TopDown32BitInfo(width_, height_);
  result.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
  ScreenInfoDc screen;
  if (!GetDIBits(screen.get(), handle_.get(), 0, static_cast<UINT>(height_), result.data(), &info,
                 DIB_RGB_COLORS)) {
    result.assign(result.size(), 0);
  }
  // The bits come as 0x00RRGGBB; colours are compared as 0x00BBGGRR.
  for (std::uint32_t& p : result) p = SwapRedBlue(p) & 0xFFFFFFu;
  return result;
}

void Bitmap::setPixels(int width, int height, const std::vector<std::uint32_t>& pixels) {
  const BITMAPINFO info = TopDown32BitInfo(width, height);
  void* bits = nullptr;
  BitmapHandle made(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!made || !bits)
    throw EOutOfResources("Not enough storage is available to process this command");
  // The bits hold 0x00RRGGBB: red and blue change places on the way in.
  auto* out = static_cast<std::uint32_t*>(bits);
  for (const std::uint32_t p : pixels) *out++ = SwapRedBlue(p) & 0xFFFFFFu;
  adopt(std::move(made));
}

std::uint32_t Bitmap::pixel(int x, int y) const {
  if (empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  BitmapDc dc(handle_.get());
  return GetPixel(dc.get(), x, y) & 0xFFFFFF;
}

void Bitmap::drawInto(HDC dc, const RECT& target) const {
  if (empty()) return;
  const int w = target.right - target.left;
  const int h = target.bottom - target.top;
  BitmapDc source(handle_.get());
  if (transparent) {
    // gdi32's own entry, not msimg32's TransparentBlt: msimg32 is no KnownDLL, and as a static
    // import the loader would take a copy beside the exe before WinMain could forbid it.
    GdiTransparentBlt(dc, target.left, target.top, w, h, source.get(), 0, 0, width_, height_,
                      transparentColor);
  } else if (w == width_ && h == height_) {
    BitBlt(dc, target.left, target.top, w, h, source.get(), 0, 0, SRCCOPY);
  } else {
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, target.left, target.top, w, h, source.get(), 0, 0, width_, height_, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
  }
}

void Bitmap::draw(HDC dc, int x, int y) const {
  drawInto(dc, RECT{x, y, x + width_, y + height_});
}

void Bitmap::stretchDraw(HDC dc, const RECT& rect) const {
  drawInto(dc, rect);
}

}  // namespace ss
