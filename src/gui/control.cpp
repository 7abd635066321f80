#include "gui/control.h"

#include <windowsx.h>

#include "gui/application.h"
#include "gui/cursors.h"
#include "gui/form.h"
#include "gui/input_rules.h"

namespace ss {

// ---- Control ----

Control::Control(Form& parent)
    : parent_(&parent),
      font_(parent.font()),
      color_(parent.color()),
      accessibleId_(parent.nextAccessibleId()) {
  parent.addControl(this);
}

LRESULT Control::answerAccessibleRequest(WPARAM wParam) {
  std::optional<AccessibleFacts> facts = accessibleFacts();
  if (!facts) return 0;
  return accessible_.answer(wParam, [&] { return std::move(*facts); });
}

Control::~Control() {
  Application::Instance().controlDestroyed(this);
  if (parent_) parent_->removeControl(this);
}

void Control::setBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

void Control::setVisible(bool value) {
  visible_ = value;
}

void Control::setEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  invalidate();
}

bool Control::canFocus() const {
  return parent_ && visible_ && enabled_;
}

void Control::setText(const std::string& value) {
  if (text_ == value) return;
  text_ = value;
  notify(NotifyTextChanged, 0, 0);
}

void Control::setRightToLeft(bool value) {
  if (rightToLeft_ == value) return;
  rightToLeft_ = value;
  invalidate();
}

void Control::setFont(const FontSpec& value) {
  parentFont_ = false;
  if (font_ == value) return;
  font_ = value;
  notify(NotifyFontChanged, 0, 0);
}

void Control::parentFontChanged() {
  if (!parentFont_ || !parent_ || font_ == parent_->font()) return;
  font_ = parent_->font();
  notify(NotifyFontChanged, 0, 0);
}

HFONT Control::fontHandle() {
  if (!fontHandle_ || !(fontHandleSpec_ == font_)) {
    fontHandle_.reset(CreateFontFromSpec(font_));
    fontHandleSpec_ = font_;
  }
  return fontHandle_.get();
}

void Control::parentColorChanged() {
  if (!parent_ || color_ == parent_->color()) return;
  color_ = parent_->color();
  invalidate();
}

LRESULT Control::notify(UINT code, WPARAM, LPARAM) {
  // Pointer enter and leave go on to the form too, with the control as their source.
  if ((code == NotifyMouseEnter || code == NotifyMouseLeave) && parent_ &&
      parent_->handleAllocated()) {
    SendMessageW(parent_->handle(), code, 0, reinterpret_cast<LPARAM>(this));
  }
  return 0;
}

void Control::mouseDown(MouseButton button, ShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void Control::mouseMove(ShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}

void Control::mouseUp(MouseButton button, ShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}

void Control::click() {
  if (OnClick) OnClick(*this);
}

void Control::repaint() {}
void Control::invalidate() {}

// ---- GraphicControl ----

GraphicControl::GraphicControl(Form& parent) : Control(parent) {}

void GraphicControl::setBounds(int left, int top, int width, int height) {
  if (left == this->left() && top == this->top() && width == this->width() &&
      height == this->height()) {
    return;
  }
  invalidate();  // the old place
  Control::setBounds(left, top, width, height);
  invalidate();  // the new place
}

void GraphicControl::setVisible(bool value) {
  if (value == visible()) return;
  Control::setVisible(value);
  if (parent() && parent()->handleAllocated()) {
    const RECT r = boundsRect();
    InvalidateRect(parent()->handle(), &r, FALSE);
  }
}

void GraphicControl::invalidate() {
  if (!visible() || !parent() || !parent()->handleAllocated()) return;
  const RECT r = boundsRect();
  InvalidateRect(parent()->handle(), &r, FALSE);
}

void GraphicControl::repaint() {
  invalidate();
  if (parent() && parent()->handleAllocated()) UpdateWindow(parent()->handle());
}

// ---- WinControl ----

WinControl::WinControl(Form& parent) : Control(parent) {}

WinControl::~WinControl() {
  destroyWindow();
}

void WinControl::createHandle(const char* className, DWORD extraStyle) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | extraStyle;
  if (visible()) style |= WS_VISIBLE;
  if (!enabled()) style |= WS_DISABLED;
  // No CS_DBLCLKS: the second press of a double click arrives as a plain press.
  createWindow(className, 0, 0, style, text().c_str(), left(), top(), width(), height(),
               parent()->handle(), nullptr);
}

AccessibleFacts WinControl::windowAccessibleFacts(long role) {
  AccessibleFacts facts;
  facts.role = role;
  // Posted: a reader's call returns at once, before a menu or a dialog the click opens runs.
  facts.doDefault = [this] { PostMessageW(handle(), kDoDefaultAction, 0, 0); };
  facts.takeFocus = [this] { setFocus(); };
  facts.screenRect = [this] {
    RECT r{};
    GetWindowRect(handle(), &r);
    return r;
  };
  facts.parentWindow = handle();
  facts.parentObject = OBJID_WINDOW;
  return facts;
}

long WinControl::windowAccessibleState() const {
  long state = 0;
  if (tabStop() && canFocus()) state |= kStateFocusable;
  if (focused()) state |= kStateFocused;
  if (!enabled()) state |= kStateUnavailable;
  if (!visible()) state |= kStateInvisible;
  return state;
}

void WinControl::setBounds(int left, int top, int width, int height) {
  Control::setBounds(left, top, width, height);
  if (handleAllocated()) {
    SetWindowPos(handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void WinControl::setVisible(bool value) {
  Control::setVisible(value);
  if (handleAllocated()) ShowWindow(handle(), value ? SW_SHOWNA : SW_HIDE);
}

void WinControl::setEnabled(bool value) {
  Control::setEnabled(value);
  if (handleAllocated()) EnableWindow(handle(), value ? TRUE : FALSE);
}

bool WinControl::focused() const {
  return handleAllocated() && GetFocus() == handle();
}

void WinControl::setFocus() {
  if (handleAllocated()) SetFocus(handle());
}

void WinControl::invalidate() {
  // A window not on the screen is painted whole when it shows; marking it now would only cost
  // a round trip to the window system for every property set while a form is being built.
  if (handleAllocated() && IsWindowVisible(handle())) InvalidateRect(handle(), nullptr, FALSE);
}

void WinControl::repaint() {
  if (!handleAllocated() || !IsWindowVisible(handle())) return;
  InvalidateRect(handle(), nullptr, FALSE);
  // Until its form's first paint nothing of it is on the screen, and that paint paints it.
  if (parent() && !parent()->painted()) return;
  UpdateWindow(handle());
}

LRESULT WinControl::handleNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return notify(message, wParam, lParam);
}

void WinControl::onLeftButtonDown(WPARAM flags, int x, int y) {
  // Cancel mode goes to the focused control first, even when that is this control.
  Form* form = parent();
  if (form && form->handle() == GetActiveWindow() && form->activeControl()) {
    form->activeControl()->notify(NotifyCancelMode, 0, reinterpret_cast<LPARAM>(this));
  }
  SetCapture(handle());
  clickedMark = true;
  mouseDown(MouseButton::Left, ShiftState::FromMouseFlags(flags), x, y);
}

void WinControl::onButtonUp(MouseButton button, WPARAM flags, int x, int y) {
  const ShiftState shift = ShiftState::FromMouseFlags(flags);
  if (button == MouseButton::Left) {
    if (GetCapture() == handle()) ReleaseCapture();
    if (clickedMark) {
      clickedMark = false;
      if (InsideForClick(x, y, width(), height())) click();
    }
  }
  mouseUp(button, shift, x, y);
}

LRESULT WinControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  if (const std::optional<MouseButtonMessage> mouse = DecodeMouseButtonMessage(message)) {
    // A mouse press hides the focus cues that the keyboard showed.
    if (mouse->down && parent()) parent()->showFocusCues(false);
    if (!mouse->down) {
      onButtonUp(mouse->button, wParam, x, y);
    } else if (mouse->button == MouseButton::Left) {
      onLeftButtonDown(wParam, x, y);
    } else {
      mouseDown(mouse->button, ShiftState::FromMouseFlags(wParam), x, y);
    }
    return 0;
  }
  switch (message) {
    case WM_MOUSEMOVE: {
      // Asks for WM_MOUSELEAVE, so the message loop wakes when the pointer leaves.
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle(), 0};
      TrackMouseEvent(&track);
      mouseMove(ShiftState::FromMouseFlags(wParam), x, y);
      return 0;
    }
    case WM_MOUSELEAVE:
      return 0;
    case WM_SETCURSOR: {
      if (reinterpret_cast<HWND>(wParam) != handle()) break;
      const int own = cursor() != kCursorDefault ? cursor() : (parent() ? parent()->cursor() : 0);
      if (CursorTable::Instance().applyCursor(LOWORD(lParam), own)) return TRUE;
      break;
    }
    case WM_KEYDOWN:
    case WM_KEYUP: {
      WORD key = static_cast<WORD>(wParam);
      const ShiftState shift = ShiftState::FromKeyboard();
      KeyEvent& event = message == WM_KEYDOWN ? OnKeyDown : OnKeyUp;
      if (event) event(*this, key, shift);
      if (key != 0) {
        if (message == WM_KEYDOWN) {
          keyDown(key, shift);
        } else {
          keyUp(key, shift);
        }
      }
      return 0;
    }
    case WM_CHAR: {
      wchar_t ch = static_cast<wchar_t>(wParam);
      if (OnKeyPress) OnKeyPress(*this, ch);
      return 0;
    }
    case WM_SETFOCUS:
      if (parent()) parent()->focusChangedTo(this);
      if (accessibleFacts()) RaiseAccessibleEvent(EVENT_OBJECT_FOCUS, handle(), OBJID_CLIENT);
      if (OnEnter) OnEnter(*this);
      return 0;
    case WM_GETOBJECT:
      if (static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT) {
        if (const LRESULT answer = answerAccessibleRequest(wParam)) return answer;
      }
      break;
    case kDoDefaultAction:
      click();
      return 0;
    case WM_KILLFOCUS:
      if (OnExit) OnExit(*this);
      return 0;
    default:
      if (IsNotification(message)) {
        return handleNotifyMessage(message, wParam, lParam);
      }
      break;
  }
  return defaultHandler(message, wParam, lParam);
}

// ---- CustomControl ----

LRESULT CustomControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // every paint covers the whole client area
    case WM_NCPAINT:
      // No frame, no scroll bars: nothing lies outside the client area. The system's own
      // handling would still take a window DC to find that out, at every first paint.
      return 0;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (wParam) {
        paint(reinterpret_cast<HDC>(wParam));
      } else {
        PaintScope scope(handle());
        paint(scope.dc());
      }
      return 0;
    default:
      break;
  }
  return WinControl::handleMessage(message, wParam, lParam);
}

}  // namespace ss
