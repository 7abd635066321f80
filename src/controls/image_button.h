// The image button: a skinned push button with a picture for each of its four looks.
#pragma once

#include "controls/skin_button.h"
#include "gui/picture.h"

namespace ss {

class TImageButton : public TCustomSkinButton {
 public:
  explicit TImageButton(Form& owner);
  ~TImageButton() override;

  // The pictures of the looks. Loading a file into one through its own loadFromFile changes
  // that picture only: the button is neither resized nor repainted.
  Picture& PicNormal() { return picNormal_; }
  Picture& PicMouseOn() { return picMouseOn_; }
  Picture& PicMouseDown() { return picMouseDown_; }
  Picture& PicDisabled() { return picDisabled_; }
  // Copy the given picture (empty when it is nullptr or empty), apply AutoSize, repaint.
  void setPicNormal(const Picture* value) { assignPicture(picNormal_, value); }
  void setPicMouseOn(const Picture* value) { assignPicture(picMouseOn_, value); }
  void setPicMouseDown(const Picture* value) { assignPicture(picMouseDown_, value); }
  void setPicDisabled(const Picture* value) { assignPicture(picDisabled_, value); }

  bool Stretch() const { return stretch_; }
  void setStretch(bool value);
  bool DrawFocused() const { return drawFocused_; }
  void setDrawFocused(bool value);

  // Always FromThemeFile, whatever was stored.
  TUIStyle UIStyle() const override { return TUIStyle::FromThemeFile; }

 protected:
  // The size of PicNormal, whichever picture was assigned; nothing while it is empty.
  void ApplyAutoSize() override;
  // At (0, 0) at its own size or stretched over the control; its top-left colour is the
  // transparent one.
  void DrawPicture(HDC canvas, Bitmap& bitmap) override;
  // With DrawFocused the system's dotted frame; without, the keyboard's frame while the form
  // shows focus cues.
  void DrawFocusFrame(HDC canvas) override;
  void GetNormalBitmap(Bitmap& bitmap) override { copyLookPicture(ButtonLook::Normal, bitmap); }
  void GetMouseOnBitmap(Bitmap& bitmap) override { copyLookPicture(ButtonLook::MouseOn, bitmap); }
  void GetMouseDownBitmap(Bitmap& bitmap) override {
    copyLookPicture(ButtonLook::MouseDown, bitmap);
  }
  void GetDisabledBitmap(Bitmap& bitmap) override { copyLookPicture(ButtonLook::Disabled, bitmap); }

 private:
  void assignPicture(Picture& target, const Picture* value);
  const Picture& picture(ButtonLook look) const;
  void copyLookPicture(ButtonLook look, Bitmap& bitmap) const;

  // Declared in reverse of the order in which they are freed: mouse-on, mouse-down, normal,
  // disabled.
  Picture picDisabled_;
  Picture picNormal_;
  Picture picMouseDown_;
  Picture picMouseOn_;
  bool stretch_ = false;
  bool drawFocused_ = false;
};

}  // namespace ss
