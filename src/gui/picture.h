// A holder of at most one graphic: a bitmap or an icon, chosen by the file's extension.
#pragma once

#include <windows.h>

#include <string>

#include "gui/bitmap.h"
#include "gui/handle.h"

namespace ss {

class Picture {
 public:
  enum class Kind { None, Bitmap, Icon };

  Picture() = default;
  Picture(const Picture& other) { assign(other); }
  Picture& operator=(const Picture& other) {
    assign(other);
    return *this;
  }

  Kind kind() const { return kind_; }
  // Empty: no graphic at all. A graphic of 0 x 0 pixels is not empty.
  bool empty() const { return kind_ == Kind::None; }
  int width() const;
  int height() const;

  // Loads a ".bmp" file as a bitmap or an ".ico" file as an icon (case ignored).
  // Raises EFOpenError, EInvalidGraphic or EReadError; on failure the picture is unchanged.
  void loadFromFile(const std::string& path);
  // Makes this picture a copy of `other` (empty when `other` is).
  void assign(const Picture& other);
  void setBitmap(const Bitmap& bitmap);
  // Takes the bitmap itself, without the copy.
  void setBitmap(Bitmap&& bitmap);
  // Takes a copy of the icon.
  void setIcon(HICON icon);
  void clear();

  // The bitmap, or nullptr when the picture holds none.
  const Bitmap* bitmap() const { return kind_ == Kind::Bitmap ? &bitmap_ : nullptr; }
  HICON icon() const { return kind_ == Kind::Icon ? icon_.get() : nullptr; }

  // Draws the graphic with its top-left corner at (x, y).
  void draw(HDC dc, int x, int y) const;

 private:
  Kind kind_ = Kind::None;
  Bitmap bitmap_;
  IconHandle icon_;
  int iconWidth_ = 0;
  int iconHeight_ = 0;
};

}  // namespace ss
