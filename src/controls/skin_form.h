// The skin form: a windowless control that frames, shapes, sizes and moves its form by a glyph.
#pragma once

#include <windows.h>

#include "gui/bitmap.h"
#include "gui/control.h"
#include "gui/form.h"
#include "gui/graphics_types.h"

namespace ss {

// Placed on a form, it paints the glyph over the form's client area, cuts the window down to
// the glyph's pixels that are not TransparentColor, sizes the window to the glyph and lets
// any mouse button drag the window. The form's tag above 0 keeps a single-line frame and the
// rectangular outline instead.
class TSkinForm : public GraphicControl {
 public:
  // Sets the form's frame by its tag (single-line above 0, none otherwise); 200 x 100.
  explicit TSkinForm(Form& owner);

  // The owned glyph. Changing its pixels here triggers nothing; setTransparentColor applies them.
  Bitmap& Glyph() { return glyph_; }
  const Bitmap& Glyph() const { return glyph_; }
  // Copies the bitmap into the glyph, updates the outline and repaints.
  void setGlyph(const Bitmap& value);

  Color TransparentColor() const { return transparentColor_; }
  // Stores the colour, updates the outline and repaints, even when the colour is unchanged.
  void setTransparentColor(Color value);

  // Fired after every paint.
  NotifyEvent OnPaint;
  // Fired after every outline update.
  NotifyEvent OnRegionChanged;

  // Unless the glyph is empty: reshapes the form (tag 0 or less), sizes the control and the
  // form's client area to the glyph, and fires OnRegionChanged.
  void UpdateRegion();

  // Gives `window` the outline of `bitmap` as its region and redraws it; the window owns the
  // region from then on. Raises EOutOfResources when the system refuses.
  static void BuildRegionFromBitmap(HWND window, const Bitmap& bitmap, Color transparent);

  // The glyph at (0, 0), or a one-pixel black frame when the glyph is empty; then OnPaint.
  void paint(HDC dc) override;
  // Fires OnMouseDown, releases the capture and lets the system move the form, for any button.
  void mouseDown(MouseButton button, ShiftState shift, int x, int y) override;

  // The form it frames, shapes, sizes and moves: its parent.
  Form& ownerForm() const { return *parent(); }

 private:
  // Always present: the owner is always a form. Freed before the control is destroyed.
  Bitmap glyph_;
  Color transparentColor_ = kColorFuchsia;
};

}  // namespace ss
