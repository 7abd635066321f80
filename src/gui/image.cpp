#include "gui/image.h"

namespace ss {

void Image::setPicture(const Picture& value) {
  picture_.assign(value);
  invalidate();
}

void Image::setIcon(HICON icon) {
  picture_.setIcon(icon);
  invalidate();
}

}  // namespace ss
