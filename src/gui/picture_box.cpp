#include "gui/picture_box.h"

namespace ss {

void PictureBox::setIcon(HICON icon) {
  picture_.setIcon(icon);
  invalidate();
}

}  // namespace ss
