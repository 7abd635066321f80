#include "controls/skin_form.h"

#include "controls/outline_region.h"
#include "core/errors.h"
#include "gui/handle.h"
#include "core/system_error.h"

namespace ss {

TSkinForm::TSkinForm(Form& owner) : GraphicControl(owner) {
  owner.setBorderStyle(owner.keepsFrame() ? Form::BorderStyle::Single : Form::BorderStyle::None);
  setWidth(200);
  setHeight(100);
}

void TSkinForm::setGlyph(const Bitmap& value) {
  glyph_ = value;
  UpdateRegion();
  repaint();
}

void TSkinForm::setTransparentColor(Color value) {
  // No early return for an unchanged colour: it is how pixels loaded into Glyph() take effect.
  transparentColor_ = value;
  UpdateRegion();
  repaint();
}

void TSkinForm::UpdateRegion() {
  if (glyph_.empty()) return;
  Form& owner = ownerForm();
  if (!owner.keepsFrame()) {
    BuildRegionFromBitmap(owner.handle(), glyph_, transparentColor_);
  }
  if (glyph_.height() != 0 && glyph_.width() != 0) {
    setHeight(glyph_.height());
    setWidth(glyph_.width());
  }
  setTop(0);
  setLeft(0);
  owner.setClientHeight(height());
  owner.setClientWidth(width());
  if (OnRegionChanged) OnRegionChanged(*this);
}

void TSkinForm::BuildRegionFromBitmap(HWND window, const Bitmap& bitmap, Color transparent) {
  RegionHandle region = CreateOutlineRegion(bitmap, transparent);
  if (!SetWindowRgn(window, region.get(), TRUE)) {
    throw EOutOfResources(SystemErrorText(GetLastError()));
  }
  region.release();  // the window's now
}

void TSkinForm::paint(HDC dc) {
  if (glyph_.width() != 0 && glyph_.height() != 0) {
    glyph_.draw(dc, 0, 0);
  } else {
    const RECT frame = clientRect();
    BrushHandle black(CreateSolidBrush(kColorBlack));
    FrameRect(dc, &frame, black.get());
  }
  if (OnPaint) OnPaint(*this);
}

void TSkinForm::mouseDown(MouseButton button, ShiftState shift, int x, int y) {
  GraphicControl::mouseDown(button, shift, x, y);
  ReleaseCapture();
  // The system's caption press: DefWindowProc runs its move loop and the window follows.
  SendMessageW(ownerForm().handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

}  // namespace ss
