// The skinned push button's base: state flags, input, repeat timer, paint pipeline, caption.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "controls/button_rules.h"
#include "gui/bitmap.h"
#include "gui/control.h"
#include "gui/timer.h"

namespace ss {

// The look a themed control takes. Buttons only store it; themes are not built here.
enum class TUIStyle { FromThemeFile, Standard };

// The style a new button takes from its owner form: no skinned frame exists in this system, so
// it is always the fixed default.
TUIStyle DefaultUIStyle(const Form& owner);

// Paints the control's parent (background and windowless controls) into `dc` where the control
// lies, as if the control were not there.
void CopyParentBackground(HDC dc, const Control& control);

// A windowed push button drawn entirely off-screen; derived classes supply the picture of each
// look. Every property assignment runs its reaction at once; every state change repaints
// synchronously, before the event that follows it.
class TCustomSkinButton : public CustomControl, private ButtonEffectsTarget {
 public:
  ~TCustomSkinButton() override;

  bool AutoSize() const { return autoSize_; }
  // Runs ApplyAutoSize and repaints, also when the value does not change.
  void setAutoSize(bool value);
  const std::string& Caption() const { return caption_; }
  // Also the control's text.
  void setCaption(const std::string& value);
  bool Cancel() const { return cancel_; }
  void setCancel(bool value) { cancel_ = value; }
  bool Default() const { return default_; }
  // Makes every button of the form take IsDefaultActive again.
  void setDefault(bool value);
  bool Transparent() const { return transparent_; }
  void setTransparent(bool value);
  int ModalResult() const { return modalResult_; }
  void setModalResult(int value) { modalResult_ = value; }
  virtual TUIStyle UIStyle() const { return uiStyle_; }
  void setUIStyle(TUIStyle value);
  bool PictureTransparent() const { return pictureTransparent_; }
  // The repeat timer while a left press runs; nullptr otherwise.
  const Timer* RepeatTimer() const { return repeatTimer_.get(); }
  int MouseContinuouslyDownInterval() const { return mouseContinuouslyDownInterval_; }
  // Takes effect at the next press that creates the timer.
  void setMouseContinuouslyDownInterval(int value) { mouseContinuouslyDownInterval_ = value; }
  int FocusedRectMargin() const { return focusedRectMargin_; }
  void setFocusedRectMargin(int value);
  bool IsDefaultActive() const { return isDefaultActive_; }
  bool IsMouseOn() const { return state_.isMouseOn(); }
  bool IsMouseDown() const { return state_.isMouseDown(); }

  // What a screen reader hears of the button: its name (the caption when empty), what it does
  // (may be empty), and whether it opens a menu.
  void setAccessibleName(std::string value) { accessibleName_ = std::move(value); }
  const std::string& accessibleName() const { return accessibleName_; }
  void setAccessibleDescription(std::string value) { accessibleDescription_ = std::move(value); }
  void setOpensMenu(bool value) { opensMenu_ = value; }
  // A push button (or a button that opens a menu) with the default action "Press", which clicks
  // it as a mouse click does.
  std::optional<AccessibleFacts> accessibleFacts() override;

  // Every tick of the repeat timer while the left button holds the button.
  NotifyEvent OnMouseContinuouslyDown;

  void setEnabled(bool value) override;
  LRESULT notify(UINT code, WPARAM wParam, LPARAM lParam) override;
  void mouseDown(MouseButton button, ShiftState shift, int x, int y) override;
  void mouseMove(ShiftState shift, int x, int y) override;
  void mouseUp(MouseButton button, ShiftState shift, int x, int y) override;
  // Ends a press still shown, sets the form's modal result, fires OnClick.
  void click() override;
  // Composes the whole control in a buffer of its size and copies it in one block.
  void paint(HDC dc) override;

 protected:
  explicit TCustomSkinButton(Form& owner);
  // Creates the button's window (by the most derived constructor); IsDefaultActive := Default.
  void createButtonWindow();

  // Gives the control the size of its normal picture when AutoSize is on.
  virtual void ApplyAutoSize() = 0;
  virtual void AfterCaptionSet() {}
  virtual void ApplyFont();
  // PictureTransparent := Transparent; repaint.
  virtual void ApplyTransparent();
  virtual void AfterEnabledSet() {}
  virtual void AfterUIStyleSet() {}
  // Draws the state bitmap of the current look into the buffer.
  virtual void DrawPicture(HDC canvas, Bitmap& bitmap) = 0;
  // Draws the caption centred: twice (white under grey) when disabled, moved by one pixel
  // while pressed.
  virtual void DrawCaption(HDC canvas, const std::string& caption);
  // The system's dotted focus frame, FocusedRectMargin inside each edge.
  virtual void DrawFocusFrame(HDC canvas);
  // The frame of keyboard focus cues: FocusedRectMargin inside each edge at the window's DPI, a
  // dark line with a light one inside it, so that it stands out on any picture.
  void DrawKeyboardFocusFrame(HDC canvas);
  // Fill the state bitmap with the picture of a look (left empty when there is none); raise
  // EConvertError for a picture that holds no bitmap.
  virtual void GetNormalBitmap(Bitmap& bitmap) = 0;
  virtual void GetMouseOnBitmap(Bitmap& bitmap) = 0;
  virtual void GetMouseDownBitmap(Bitmap& bitmap) = 0;
  virtual void GetDisabledBitmap(Bitmap& bitmap) = 0;

  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void keyDown(WORD& key, ShiftState shift) override;
  void keyUp(WORD& key, ShiftState shift) override;

 private:
  // Carries out a transition's effects in their order (ApplyEffects).
  void apply(const ButtonEffects& effects) { ApplyEffects(effects, *this); }
  bool hasRepeatTimer() const override { return repeatTimer_ != nullptr; }
  void createRepeatTimer() override;
  void freeRepeatTimer() override { repeatTimer_.reset(); }
  void repaintButton() override { repaint(); }
  void runClick() override { click(); }
  void RepeatTick();
  LRESULT dialogKey(WPARAM key, LPARAM keyData);
  LRESULT dialogChar(wchar_t ch, LPARAM keyData);
  void fillStateBitmap(Bitmap& bitmap);
  void drawCentred(HDC canvas, const std::string& text, const RECT& area);

  bool autoSize_ = false;
  std::string caption_;
  bool cancel_ = false;
  bool default_ = false;
  bool transparent_ = false;
  int modalResult_ = 0;
  TUIStyle uiStyle_ = TUIStyle::Standard;
  bool pictureTransparent_ = false;
  std::unique_ptr<Timer> repeatTimer_;
  int mouseContinuouslyDownInterval_ = 100;
  int focusedRectMargin_ = 2;
  bool isDefaultActive_ = false;
  ButtonState state_;
  std::string accessibleName_;
  std::string accessibleDescription_;
  bool opensMenu_ = false;
};

}  // namespace ss
