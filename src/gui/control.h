// Controls of a form: the common base, windowless graphic controls and windowed controls.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "gui/accessible.h"
#include "gui/graphics_types.h"
#include "gui/handle.h"
#include "gui/window.h"

namespace ss {

class Form;
class Control;

// The framework's own notifications, delivered through Control::notify, and as window messages
// to windowed controls. They share one private range of message numbers above the application
// range (0x8000 to 0xBFFF), and keep the numbers of the launcher's design (0xB004 and on).
inline constexpr UINT kNotifyFirst = 0xB000;
inline constexpr UINT kNotifyLast = 0xB0FF;
// To the focused control when a press elsewhere takes over: end a press or hover without events.
inline constexpr UINT NotifyCancelMode = kNotifyFirst + 0x04;
// To every control, in creation order, for Return or Escape: the default or cancel button clicks.
inline constexpr UINT NotifyDialogKey = kNotifyFirst + 0x05;
// To every control, in creation order, for a typed character: accelerators (Alt+letter).
inline constexpr UINT NotifyDialogChar = kNotifyFirst + 0x06;
// To every control when the focus moved; lParam is the control that now has it.
inline constexpr UINT NotifyFocusChanged = kNotifyFirst + 0x07;
// To a control whose font, or whose form's font that it follows, changed.
inline constexpr UINT NotifyFontChanged = kNotifyFirst + 0x0E;
// To a control whose text changed.
inline constexpr UINT NotifyTextChanged = kNotifyFirst + 0x12;
// To the control the pointer entered, and on to its form with the control in lParam.
inline constexpr UINT NotifyMouseEnter = kNotifyFirst + 0x13;
// To the control the pointer left, sent before the enter; on to its form likewise.
inline constexpr UINT NotifyMouseLeave = kNotifyFirst + 0x14;
constexpr bool IsNotification(UINT message) {
  return message >= kNotifyFirst && message <= kNotifyLast;
}

// WM_COMMAND of a system-class child, sent back to that child by its form: WM_COMMAND (0x111)
// moved into the private range by 0xBC00, where answers to a child's own messages lie.
inline constexpr UINT kChildCommand = 0xBC00 + WM_COMMAND;

// Posted to a windowed control by its accessible object: run the default action (a click), once
// the reader's call has returned.
inline constexpr UINT kDoDefaultAction = WM_APP + 2;

// Sent to the focused window: image buttons answer 1, other windows 0. The design's fixed
// number: the application range 0x8000 plus 3000; the accelerator rule asks it.
inline constexpr UINT WM_IS_SKIN_BUTTON = 0x8BB8;

using NotifyEvent = std::function<void(Control& sender)>;
using MouseEvent = std::function<void(Control& sender, MouseButton, ShiftState, int x, int y)>;
using MouseMoveEvent = std::function<void(Control& sender, ShiftState, int x, int y)>;
using KeyEvent = std::function<void(Control& sender, WORD& key, ShiftState)>;
// A typed character: a UTF-16 unit.
using KeyPressEvent = std::function<void(Control& sender, wchar_t& key)>;

// What windowed and windowless controls share: place on the form, looks, mouse events.
class Control {
 public:
  explicit Control(Form& parent);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  Form* parent() const { return parent_; }
  virtual bool isWindowed() const { return false; }

  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void setLeft(int value) { setBounds(value, top_, width_, height_); }
  void setTop(int value) { setBounds(left_, value, width_, height_); }
  void setWidth(int value) { setBounds(left_, top_, value, height_); }
  void setHeight(int value) { setBounds(left_, top_, width_, value); }
  virtual void setBounds(int left, int top, int width, int height);
  RECT boundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  RECT clientRect() const { return {0, 0, width_, height_}; }

  bool visible() const { return visible_; }
  virtual void setVisible(bool value);
  bool enabled() const { return enabled_; }
  virtual void setEnabled(bool value);
  // On a form, visible and enabled: the control may take the focus (the form's own state is
  // not consulted).
  bool canFocus() const;

  const std::string& text() const { return text_; }
  void setText(const std::string& value);

  // The font follows the form's until the control is given its own.
  const FontSpec& font() const { return font_; }
  void setFont(const FontSpec& value);
  // An HFONT for font(), owned by the control.
  HFONT fontHandle();

  // Right-to-left text, set as the form mirrors its layout: read right to left and aligned right,
  // and a control that sizes itself to its text keeps its right edge where it is.
  bool rightToLeft() const { return rightToLeft_; }
  void setRightToLeft(bool value);

  // The form's colour, where the control fills its background.
  Color color() const { return color_; }

  // Identifier of the pointer shape shown over the control (cursors.h).
  int cursor() const { return cursor_; }
  void setCursor(int value) { cursor_ = value; }

  NotifyEvent OnClick;
  // The pointer came onto the control or left it (NotifyMouseEnter, NotifyMouseLeave); each kind
  // of control fires them once its own look has followed.
  NotifyEvent OnMouseEnter;
  NotifyEvent OnMouseExit;
  MouseEvent OnMouseDown;
  MouseMoveEvent OnMouseMove;
  MouseEvent OnMouseUp;

  // A framework notification (Notify*); the result is the notification's answer.
  virtual LRESULT notify(UINT code, WPARAM wParam, LPARAM lParam);

  // Mouse operations, run by the framework in the control's client coordinates.
  virtual void mouseDown(MouseButton button, ShiftState shift, int x, int y);
  virtual void mouseMove(ShiftState shift, int x, int y);
  virtual void mouseUp(MouseButton button, ShiftState shift, int x, int y);
  // The click operation: fires OnClick.
  virtual void click();

  // Marked by a left press that began on the control; a release inside then clicks.
  bool clickedMark = false;

  // Invalidates the control and paints it at once.
  virtual void repaint();
  virtual void invalidate();

  // Windowless controls paint here, in their own coordinates (the form moves the origin); so
  // do custom windowed controls, for their own paint and for the form's (Form::onPaint).
  virtual void paint(HDC) {}

  // What the control tells screen readers of itself; nothing by default (for a windowed control
  // the system's own object then answers).
  virtual std::optional<AccessibleFacts> accessibleFacts() { return std::nullopt; }
  // The control's accessible object as the answer to WM_GETOBJECT, or 0 when it has none.
  LRESULT answerAccessibleRequest(WPARAM wParam);
  // Where a windowless control's object is found: under this identifier (above 0) on its form.
  long accessibleId() const { return accessibleId_; }
  // A control that only decorates another (a text's shadow) is left out of what readers find
  // and hear.
  bool hiddenFromReaders() const { return hiddenFromReaders_; }
  void setHiddenFromReaders(bool value) { hiddenFromReaders_ = value; }

  // The form's font or colour changed; followers take it.
  void parentFontChanged();
  void parentColorChanged();

 private:
  Form* parent_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  FontSpec font_;
  bool parentFont_ = true;
  FontHandle fontHandle_;
  FontSpec fontHandleSpec_;
  Color color_;
  int cursor_ = 0;
  long accessibleId_ = 0;
  bool hiddenFromReaders_ = false;
  bool rightToLeft_ = false;
  AccessibleHandle accessible_;
};

// A control without a window of its own: it paints into its form's client area, beneath
// every windowed control, in creation order.
class GraphicControl : public Control {
 public:
  explicit GraphicControl(Form& parent);
  void setBounds(int left, int top, int width, int height) override;
  void setVisible(bool value) override;
  void repaint() override;
  void invalidate() override;
};

// A control with a child window of its own: keyboard focus, tab order, mouse capture.
class WinControl : public Control, public Window {
 public:
  explicit WinControl(Form& parent);
  ~WinControl() override;
  bool isWindowed() const override { return true; }
  // Whether paint() covers the whole client area, with no erasing and no frame of the
  // system's: the form may then paint the control's waiting paint itself (Form::onPaint).
  virtual bool paintsWholeClient() const { return false; }

  void setBounds(int left, int top, int width, int height) override;
  void setVisible(bool value) override;
  void setEnabled(bool value) override;

  bool tabStop() const { return tabStop_; }
  void setTabStop(bool value) { tabStop_ = value; }
  int tabOrder() const { return tabOrder_; }
  void setTabOrder(int value) { tabOrder_ = value; }

  // The control has the keyboard focus when its window is the system's focus window.
  bool focused() const;
  void setFocus();

  NotifyEvent OnEnter;
  NotifyEvent OnExit;
  KeyEvent OnKeyDown;
  KeyEvent OnKeyUp;
  KeyPressEvent OnKeyPress;

  void repaint() override;
  void invalidate() override;

 protected:
  // Creates the child window; called by the most derived constructor.
  void createHandle(const char* className, DWORD extraStyle = 0);
  // What every windowed control's accessible object tells alike: where the window is, its
  // parent (the window's own object), taking the focus, and a default action that clicks the
  // control once the reader's call has returned. The control adds its name, state and action.
  AccessibleFacts windowAccessibleFacts(long role);
  // Focusable, focused, unavailable and invisible as the control is.
  long windowAccessibleState() const;
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Key handling of WM_KEYDOWN and WM_KEYUP after the events fired.
  virtual void keyDown(WORD&, ShiftState) {}
  virtual void keyUp(WORD&, ShiftState) {}
  // Answers the framework's notifications that arrive as window messages.
  virtual LRESULT handleNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void onLeftButtonDown(WPARAM flags, int x, int y);
  void onButtonUp(MouseButton button, WPARAM flags, int x, int y);

  bool tabStop_ = false;
  int tabOrder_ = 0;
};

// A windowed control that draws itself: paints are composed by paint(HDC), erases ignored.
class CustomControl : public WinControl {
 public:
  explicit CustomControl(Form& parent) : WinControl(parent) {}
  bool paintsWholeClient() const override { return true; }

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace ss
