// Bitmaps: loaded from files, sized, pixels readable, drawn plainly, stretched or transparent.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "gui/handle.h"

namespace ss {

class Bitmap {
 public:
  Bitmap() = default;
  // A copy shares the pixels until either side is drawn into through the non-const handle(),
  // which first gives that side pixels of its own; every other change makes new pixels. So a
  // copy costs nothing where it is only drawn from, as a button's look at every paint.
  Bitmap(const Bitmap& other);
  Bitmap& operator=(const Bitmap& other);
  Bitmap(Bitmap&&) noexcept = default;
  Bitmap& operator=(Bitmap&&) noexcept = default;

  // Empty: no pixels (no bitmap, or a width or height of 0).
  bool empty() const { return !handle_ || width_ == 0 || height_ == 0; }
  int width() const { return width_; }
  int height() const { return height_; }
  // The bitmap to draw from, or to ask about.
  HBITMAP handle() const { return handle_.get(); }
  // The bitmap to draw into: its pixels this object's alone.
  HBITMAP handle();

  // Loads a Windows bitmap file, checked before the system decodes it.
  // Raises EFOpenError, or EInvalidGraphic "Bitmap image is not valid".
  void loadFromFile(const std::string& path);
  // The same from the file's bytes, already read (the system's loader may read `path` again for
  // compressed files).
  void loadFromFileBytes(const std::string& bytes, const std::string& path);
  // Gives the bitmap the screen's pixel format and this size, all white.
  void setSize(int width, int height);
  // Takes over a bitmap handle (a DIB section or a device-dependent bitmap).
  void adopt(BitmapHandle bitmap);
  void clear();

  // Every pixel, top row first, as colours 0x00BBGGRR; read from the bits in one go.
  std::vector<std::uint32_t> pixels() const;
  // Becomes a 32-bit DIB section of `width` x `height` colours 0x00BBGGRR, top row first.
  void setPixels(int width, int height, const std::vector<std::uint32_t>& pixels);
  // One pixel as 0x00BBGGRR; 0 outside the bitmap.
  std::uint32_t pixel(int x, int y) const;

  // A transparent bitmap leaves every pixel of exactly transparentColor undrawn.
  bool transparent = false;
  COLORREF transparentColor = 0;

  // Draws at (x, y) at its own size, cut off by the DC's clipping.
  void draw(HDC dc, int x, int y) const;
  // Draws stretched into `rect`.
  void stretchDraw(HDC dc, const RECT& rect) const;

 private:
  // A screen-format bitmap of this size with undefined pixels; false (and empty) for no area.
  bool allocate(int width, int height);
  void own(BitmapHandle bitmap);
  void drawInto(HDC dc, const RECT& target) const;

  // Shared by copies; deleted with the last of them.
  std::shared_ptr<std::remove_pointer_t<HBITMAP>> handle_;
  int width_ = 0;
  int height_ = 0;
};

// 0x00BBGGRR <-> 0x00RRGGBB (the top byte kept): the bits of a 32-bit DIB hold blue in the
// lowest byte, colours hold red there.
inline std::uint32_t SwapRedBlue(std::uint32_t c) {
  return (c & 0xFF00FF00u) | ((c & 0xFFu) << 16) | ((c >> 16) & 0xFFu);
}

// A device context of the screen, made once for the process, for measuring text, reading pixels
// and knowing the screen's format; never drawn into. Null if it could not be made.
// The window system's own screen DC (GetDC of no window) costs round trips to its server under
// Wine at every use.
HDC ScreenFormatDc();

// ScreenFormatDc for a scope, or the window system's screen DC when that could not be made.
class ScreenInfoDc {
 public:
  ScreenInfoDc();
  ScreenInfoDc(const ScreenInfoDc&) = delete;
  ScreenInfoDc& operator=(const ScreenInfoDc&) = delete;
  ~ScreenInfoDc();
  HDC get() const { return cached_ ? cached_ : fallback_; }

 private:
  HDC cached_;
  HDC fallback_;
};

// A memory DC with a bitmap selected for the length of a scope.
class BitmapDc {
 public:
  explicit BitmapDc(HBITMAP bitmap);
  BitmapDc(const BitmapDc&) = delete;
  BitmapDc& operator=(const BitmapDc&) = delete;
  ~BitmapDc();
  HDC get() const { return dc_.get(); }

 private:
  MemoryDcHandle dc_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace ss
