#include "gui/image.h"

namespace ss {

void Image::setIcon(HICON icon) {
  picture_.setIcon(icon);
  invalidate();
}

}  // namespace ss
