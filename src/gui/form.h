// Top-level windows: frame, client size, position, controls, focus and modal running.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/control.h"
#include "gui/graphics_types.h"
#include "gui/window.h"

namespace ss {

inline constexpr int kModalResultNone = 0;
inline constexpr int kModalResultOk = 1;
inline constexpr int kModalResultCancel = 2;

// A top-level window of the application, owned by the application window.
class Form : public Window {
 public:
  enum class BorderStyle { None, Single, Dialog };
  // Where the form goes at its first showing.
  enum class Position {
    Designed,               // where left/top say
    PrimaryMonitorCenter,   // centred on the primary monitor, never left of or above it
    MainFormMonitorCenter,  // centred on the main form's monitor (the primary one before it)
  };

  Form();
  ~Form() override;

  // The form's free integer. A skin form on the form reads it as its frame switch: above 0 the
  // form keeps a single-line frame and its rectangle (keepsFrame), otherwise the skin shapes it.
  int Tag = 0;
  bool keepsFrame() const { return Tag > 0; }

  std::string caption() const;
  void setCaption(const std::string& value);

  BorderStyle borderStyle() const { return borderStyle_; }
  void setBorderStyle(BorderStyle value);
  Position position() const { return position_; }
  void setPosition(Position value) { position_ = value; }

  // Outer rectangle on the screen.
  int left() const;
  int top() const;
  int width() const;
  int height() const;
  void setOuterBounds(int left, int top, int width, int height);
  // Client area, which the frame surrounds.
  int clientWidth() const;
  int clientHeight() const;
  void setClientWidth(int value) { setClientSize(value, clientHeight()); }
  void setClientHeight(int value) { setClientSize(clientWidth(), value); }
  void setClientSize(int width, int height);

  Color color() const { return color_; }
  void setColor(Color value);
  const FontSpec& font() const { return font_; }
  void setFont(const FontSpec& value);
  // The form's own pointer shape, shown where no control sets one (cursors.h).
  int cursor() const { return cursor_; }
  void setCursor(int value);

  // The layout's direction. Right to left, the controls' places are mirrored (endLayout), the
  // arrow keys follow the screen (Left moves to the control on the left) and readers meet the
  // controls from the right; pictures are drawn as they are.
  bool rightToLeft() const { return rightToLeft_; }
  void setRightToLeft(bool value) { rightToLeft_ = value; }
  // Brackets a layout pass that places the controls as designed, left to right: beginLayout
  // turns their texts left to right again; endLayout mirrors every control's place in the
  // client area (its left edge becomes the client width minus its left edge minus its width)
  // and turns their texts right to left, for a right-to-left form, and does nothing otherwise.
  void beginLayout();
  void endLayout();

  // The DPI of the monitor the form is on, for which its layout is made.
  int dpi() const { return dpi_; }

  int modalResult() const { return modalResult_; }
  void setModalResult(int value) { modalResult_ = value; }

  bool visible() const;
  bool enabled() const;
  // Shows the form with a show command (placing it at its first showing) and activates it.
  void show(int showCommand = SW_SHOW);
  void hide();
  // Closes the form: ends a modal run, or hides it; closing the main form ends the application.
  void close();
  // Runs the form modally over the application's other windows; returns the modal result.
  int showModal();

  // Controls in creation order.
  const std::vector<Control*>& controls() const { return controls_; }
  // Whether the form has painted itself on the screen since it was last shown.
  bool painted() const { return painted_; }
  // A new identifier for a control's accessible object, and the control that has one.
  long nextAccessibleId() { return ++lastAccessibleId_; }
  Control* controlWithAccessibleId(long id) const;
  // The controls a screen reader finds on the form, in reading order: by rows from the top, each
  // from the left (from the right for a right-to-left form). Invisible ones, those hidden from
  // readers and windowless ones without an object of their own are left out.
  std::vector<Control*> readingOrder();
  void addControl(Control* control);
  void removeControl(Control* control);

  // Focus cues (the focused control's frame): hidden until the keyboard moves the focus (Tab,
  // Shift+Tab, an arrow key), hidden again by the next mouse press, as the system's UI state
  // (UISF_HIDEFOCUS) has it; the system hears of every change, and its own word counts too.
  bool focusCuesShown() const { return focusCuesShown_; }
  void showFocusCues(bool value);

  // The control that has, or last had, the keyboard focus.
  WinControl* activeControl() const { return activeControl_; }
  // Called when a control receives the focus: notifies every control.
  void focusChangedTo(WinControl* control);
  // Moves the focus to the next (or previous) tab stop in tab order, wrapping around.
  bool selectNext(WinControl* current, bool forward);
  WinControl* firstTabStop() const;

  // Keyboard pre-processing of the message loop; true when the key or character was used.
  bool dialogKey(WinControl* focused, WORD key, LPARAM keyData);
  bool dialogChar(wchar_t ch, LPARAM keyData);

  // Sends a notification to every control in creation order; stops at the first non-zero answer.
  LRESULT broadcast(UINT code, WPARAM wParam, LPARAM lParam);

  // The topmost visible windowless control at a client point.
  GraphicControl* graphicControlAt(POINT client) const;
  // The windowless control holding the form's mouse capture.
  GraphicControl* captureControl() const { return captureControl_; }

  // Paints the background and the windowless controls that meet `area` into `dc`.
  void paintContent(HDC dc, const RECT& area);
  // Paints into `dc` (the buffer of the paint's area) the child windows that wait for a paint,
  // lie inside `area` (the paint's update region) and that the form may paint itself, and
  // leaves every other one out of `screen`, the paint's DC; returns the painted ones, for the
  // caller to validate once the buffer is on the screen.
  std::vector<WinControl*> paintWaitingChildren(HDC dc, HDC screen, HRGN area);

 protected:
  // Runs when the form is about to be shown (before it is placed).
  virtual void aboutToShow() {}
  // The focus cues were shown or hidden: by the keyboard, a mouse press or the system.
  virtual void focusCuesChanged() {}
  // The form came onto a monitor of another DPI (dpi() tells it already): lay it out again and
  // take the suggested rectangle. The form's own version only takes the rectangle.
  virtual void dpiChanged(int dpi, const RECT& suggested);

  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  DWORD styleFor(BorderStyle style) const;
  DWORD exStyleFor(BorderStyle style) const;
  void applyFirstPosition();
  void focusFirst();
  void onPaint(WPARAM wParam);
  void onMouseButtonDown(MouseButton button, WPARAM flags, int x, int y);
  void onMouseButtonUp(MouseButton button, WPARAM flags, int x, int y);
  void onMouseMove(WPARAM flags, int x, int y);
  bool onSetCursor(int hitTest);
  AccessibleFacts accessibleFacts();

  BorderStyle borderStyle_ = BorderStyle::Single;
  Position position_ = Position::Designed;
  Color color_ = kColorButtonFace;
  FontSpec font_;
  int cursor_ = 0;
  int dpi_ = 96;
  int modalResult_ = kModalResultNone;
  bool modal_ = false;
  bool shownOnce_ = false;
  bool trackingLeave_ = false;
  bool focusCuesShown_ = false;
  bool rightToLeft_ = false;
  std::vector<Control*> controls_;
  bool painted_ = false;
  long lastAccessibleId_ = 0;
  // The form's client area for readers, whose children are its controls.
  AccessibleHandle accessible_;
  WinControl* activeControl_ = nullptr;
  GraphicControl* captureControl_ = nullptr;
};

}  // namespace ss
