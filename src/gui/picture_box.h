// A windowless control that shows a picture at its top-left corner.
#pragma once

#include "gui/control.h"
#include "gui/picture.h"

namespace ss {

class PictureBox : public GraphicControl {
 public:
  explicit PictureBox(Form& parent) : GraphicControl(parent) {}

  const Picture& picture() const { return picture_; }
  void setIcon(HICON icon);

  void paint(HDC dc) override { picture_.draw(dc, 0, 0); }

 private:
  Picture picture_;
};

}  // namespace ss
