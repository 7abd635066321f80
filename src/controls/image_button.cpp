#include "controls/image_button.h"

#include "core/errors.h"
#include "gui/form.h"

namespace ss {

TImageButton::TImageButton(Form& owner) : TCustomSkinButton(owner) {
  // The four pictures exist, empty, and Stretch and DrawFocused are off from here on.
  createButtonWindow();
}

// The pictures go with the members, then the timer and the window with the bases.
TImageButton::~TImageButton() = default;

void TImageButton::assignPicture(Picture& target, const Picture* value) {
  if (value) {
    target.assign(*value);
  } else {
    target.clear();
  }
  ApplyAutoSize();
  repaint();
}

void TImageButton::setStretch(bool value) {
  stretch_ = value;
  repaint();
}

void TImageButton::setDrawFocused(bool value) {
  drawFocused_ = value;
  repaint();
}

void TImageButton::ApplyAutoSize() {
  if (!parent() || !AutoSize() || picNormal_.empty()) return;
  setHeight(picNormal_.height());
  setWidth(picNormal_.width());
}

const Picture& TImageButton::picture(ButtonLook look) const {
  switch (look) {
    case ButtonLook::MouseOn:
      return picMouseOn_;
    case ButtonLook::MouseDown:
      return picMouseDown_;
    case ButtonLook::Disabled:
      return picDisabled_;
    case ButtonLook::Normal:
      break;
  }
  return picNormal_;
}

void TImageButton::copyLookPicture(ButtonLook look, Bitmap& bitmap) const {
  const std::array<bool, 4> present{!picNormal_.empty(), !picMouseOn_.empty(),
                                    !picMouseDown_.empty(), !picDisabled_.empty()};
  const std::optional<ButtonLook> chosen = PictureForLook(look, present);
  if (!chosen) return;
  const Picture& source = picture(*chosen);
  if (!source.bitmap()) throw EConvertError("Cannot assign an icon to a bitmap");
  bitmap = *source.bitmap();
}

void TImageButton::DrawPicture(HDC canvas, Bitmap& bitmap) {
  if (bitmap.empty()) return;
  bitmap.transparentColor = bitmap.pixel(0, 0);
  if (stretch_) {
    bitmap.stretchDraw(canvas, RECT{0, 0, width(), height()});
  } else {
    bitmap.draw(canvas, 0, 0);
  }
}

void TImageButton::DrawFocusFrame(HDC canvas) {
  if (drawFocused_) {
    TCustomSkinButton::DrawFocusFrame(canvas);
  } else if (parent() && parent()->focusCuesShown()) {
    // Without DrawFocused, the frame shows only when the keyboard moved the focus.
    DrawKeyboardFocusFrame(canvas);
  }
}

}  // namespace ss
