#include "gui/picture.h"

#include <utility>

#include "core/errors.h"
#include "gui/icon.h"

namespace ss {

namespace {

std::string LowerExtension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of("\\/:");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot);
  for (char& c : ext) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return ext;
}

}  // namespace

int Picture::width() const {
  switch (kind_) {
    case Kind::Bitmap:
      return bitmap_.width();
    case Kind::Icon:
      return iconWidth_;
    default:
      return 0;
  }
}

int Picture::height() const {
  switch (kind_) {
    case Kind::Bitmap:
      return bitmap_.height();
    case Kind::Icon:
      return iconHeight_;
    default:
      return 0;
  }
}

void Picture::loadFromFile(const std::string& path) {
  const std::string ext = LowerExtension(path);
  if (ext == ".bmp") {
    Bitmap loaded;
    loaded.loadFromFile(path);
    // Kept as loaded: a copy costs a new bitmap and a blit per file, 30 times at start-up.
    setBitmap(std::move(loaded));
  } else if (ext == ".ico") {
    IconHandle loaded = LoadIconFile(path);
    setIcon(loaded.get());
  } else {
    throw EInvalidGraphic("Unknown picture file extension (" + ext + ")");
  }
}

void Picture::assign(const Picture& other) {
  if (this == &other) return;
  switch (other.kind_) {
    case Kind::None:
      clear();
      break;
    case Kind::Bitmap:
      setBitmap(other.bitmap_);
      break;
    case Kind::Icon:
      setIcon(other.icon_.get());
      break;
  }
}

void Picture::setBitmap(const Bitmap& bitmap) {
  bitmap_ = bitmap;
  icon_.reset();
  kind_ = Kind::Bitmap;
}

void Picture::setBitmap(Bitmap&& bitmap) {
  bitmap_ = std::move(bitmap);
  icon_.reset();
  kind_ = Kind::Bitmap;
}

void Picture::setIcon(HICON icon) {
  IconHandle copy(CopyIcon(icon));
  int width = 0;
  int height = 0;
  ICONINFO info{};
  if (copy && GetIconInfo(copy.get(), &info)) {
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    width = mask.bmWidth;
    // Without a colour bitmap the mask holds both halves of a monochrome icon.
    height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  icon_ = std::move(copy);
  iconWidth_ = width;
  iconHeight_ = height;
  bitmap_.clear();
  kind_ = Kind::Icon;
}

void Picture::clear() {
  bitmap_.clear();
  icon_.reset();
  iconWidth_ = iconHeight_ = 0;
  kind_ = Kind::None;
}

void Picture::draw(HDC dc, int x, int y) const {
  if (kind_ == Kind::Bitmap) {
    bitmap_.draw(dc, x, y);
  } else if (kind_ == Kind::Icon && icon_) {
    DrawIconEx(dc, x, y, icon_.get(), iconWidth_, iconHeight_, 0, nullptr, DI_NORMAL);
  }
}

}  // namespace ss
