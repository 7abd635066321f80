#include "gui/form.h"

#include <windowsx.h>

#include <algorithm>

#include "core/wide.h"
#include "gui/application.h"
#include "gui/dpi.h"
#include "gui/cursors.h"
#include "gui/handle.h"
#include "gui/input_rules.h"

namespace ss {

namespace {
constexpr const char* kFormClass = "SuiteStartForm";

bool Intersects(const RECT& a, const RECT& b) {
  RECT out;
  return IntersectRect(&out, &a, &b) != FALSE;
}
}  // namespace

Form::Form() {
  createWindow(kFormClass, 0, exStyleFor(borderStyle_), styleFor(borderStyle_), "", 0, 0, 200, 100,
               Application::Instance().handle(), nullptr);
  dpi_ = WindowDpi(handle());
  Application::Instance().formCreated(this);
}

void Form::dpiChanged(int, const RECT& suggested) {
  SetWindowPos(handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

Form::~Form() {
  // Controls are members of derived forms and are gone by now; the window goes next.
  Application::Instance().formDestroyed(this);
  destroyWindow();
}

DWORD Form::styleFor(BorderStyle style) const {
  switch (style) {
    case BorderStyle::None:
      // Without WS_CLIPCHILDREN: the paint leaves out the child windows itself (onPaint), and
      // under Wine a window that clips its children makes their first paints cost about as
      // much again as the whole start of a plain window.
      return WS_POPUP | WS_CLIPSIBLINGS;
    case BorderStyle::Single:
      return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN |
             WS_CLIPSIBLINGS;
    case BorderStyle::Dialog:
      return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  }
  return WS_POPUP;
}

DWORD Form::exStyleFor(BorderStyle style) const {
  return style == BorderStyle::Dialog ? WS_EX_DLGMODALFRAME : 0;
}

std::string Form::caption() const {
  const int length = GetWindowTextLengthW(handle());
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(handle(), text.data(), length + 1)));
  return Narrow(text);
}

void Form::setCaption(const std::string& value) {
  SetWindowTextW(handle(), Wide(value).c_str());
}

void Form::setBorderStyle(BorderStyle value) {
  if (value == borderStyle_) return;
  const int width = clientWidth();
  const int height = clientHeight();
  const DWORD visibleBit = GetWindowLongW(handle(), GWL_STYLE) & WS_VISIBLE;
  borderStyle_ = value;
  SetWindowLongW(handle(), GWL_STYLE, static_cast<LONG>(styleFor(value) | visibleBit));
  SetWindowLongW(handle(), GWL_EXSTYLE, static_cast<LONG>(exStyleFor(value)));
  SetWindowPos(handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  setClientSize(width, height);
}

int Form::left() const {
  RECT r;
  GetWindowRect(handle(), &r);
  return r.left;
}
int Form::top() const {
  RECT r;
  GetWindowRect(handle(), &r);
  return r.top;
}
int Form::width() const {
  RECT r;
  GetWindowRect(handle(), &r);
  return r.right - r.left;
}
int Form::height() const {
  RECT r;
  GetWindowRect(handle(), &r);
  return r.bottom - r.top;
}

void Form::setOuterBounds(int left, int top, int width, int height) {
  SetWindowPos(handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::clientWidth() const {
  RECT r;
  GetClientRect(handle(), &r);
  return r.right;
}
int Form::clientHeight() const {
  RECT r;
  GetClientRect(handle(), &r);
  return r.bottom;
}

void Form::setClientSize(int width, int height) {
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongW(handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(handle(), GWL_EXSTYLE)));
  SetWindowPos(handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::setColor(Color value) {
  color_ = value;
  for (Control* control : controls_) control->parentColorChanged();
  InvalidateRect(handle(), nullptr, FALSE);
}

void Form::setFont(const FontSpec& value) {
  font_ = value;
  for (Control* control : controls_) control->parentFontChanged();
}

void Form::setCursor(int value) {
  cursor_ = value;
  // Shown at once where the pointer is: over the form, or over a control of it that shows the
  // form's cursor.
  POINT point;
  if (!GetCursorPos(&point)) return;
  HWND under = WindowFromPoint(point);
  if (under == handle() || (under && GetParent(under) == handle())) {
    SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }
}

bool Form::visible() const {
  return IsWindowVisible(handle()) != FALSE;
}
bool Form::enabled() const {
  return IsWindowEnabled(handle()) != FALSE;
}

void Form::show(int showCommand) {
  aboutToShow();
  if (!shownOnce_) {
    shownOnce_ = true;
    applyFirstPosition();
  }
  ShowWindow(handle(), showCommand);
  if (Application::Instance().mainForm() == this) Application::Instance().mainFormShown();
}

void Form::hide() {
  ShowWindow(handle(), SW_HIDE);
}

void Form::close() {
  if (modal_) {
    modalResult_ = kModalResultCancel;
    return;
  }
  hide();
  if (Application::Instance().mainForm() == this) Application::Instance().terminate();
}

void Form::applyFirstPosition() {
  if (position_ == Position::Designed) return;
  HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  Form* mainForm = Application::Instance().mainForm();
  if (position_ == Position::MainFormMonitorCenter && mainForm && mainForm != this) {
    monitor = MonitorFromWindow(mainForm->handle(), MONITOR_DEFAULTTOPRIMARY);
  }
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return;
  const RECT& area = info.rcMonitor;
  const int x = std::max<int>(area.left, area.left + (area.right - area.left - width()) / 2);
  const int y = std::max<int>(area.top, area.top + (area.bottom - area.top - height()) / 2);
  SetWindowPos(handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::showModal() {
  Application& app = Application::Instance();
  // Every other enabled window of the application takes no input while the form runs.
  std::vector<HWND> disabled;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&disabled));
  std::erase_if(disabled, [&](HWND window) {
    return window == handle() || !IsWindowVisible(window) || !IsWindowEnabled(window);
  });
  HWND previous = GetActiveWindow();
  for (HWND window : disabled) EnableWindow(window, FALSE);

  modal_ = true;
  modalResult_ = kModalResultNone;
  try {
    show();
    while (modalResult_ == kModalResultNone && !app.terminated()) app.handleMessage();
  } catch (...) {
    modal_ = false;
    for (HWND window : disabled) EnableWindow(window, TRUE);
    throw;
  }
  modal_ = false;
  // Enabled again before this form hides, so the system activates the owner, not another app.
  for (HWND window : disabled) EnableWindow(window, TRUE);
  hide();
  if (previous && IsWindow(previous)) SetActiveWindow(previous);
  return modalResult_;
}

Control* Form::controlWithAccessibleId(long id) const {
  for (Control* control : controls_) {
    if (control->accessibleId() == id) return control;
  }
  return nullptr;
}

std::vector<Control*> Form::readingOrder() {
  std::vector<Control*> found;
  for (Control* control : controls_) {
    if (!control->visible() || control->hiddenFromReaders()) continue;
    // A windowed control always has an object: its own, or the system's.
    if (dynamic_cast<WinControl*>(control) || control->accessibleFacts()) found.push_back(control);
  }
  const auto place = [](const Control* c) {
    return ReadingPlace{c->left(), c->top(), c->left() + c->width()};
  };
  std::stable_sort(found.begin(), found.end(), [&](const Control* a, const Control* b) {
    return ReadsBefore(place(a), place(b), rightToLeft_);
  });
  return found;
}

AccessibleFacts Form::accessibleFacts() {
  AccessibleFacts facts;
  facts.role = kRoleClient;
  facts.name = [this] { return caption(); };
  facts.state = [this] { return visible() ? 0L : kStateInvisible; };
  facts.screenRect = [this] {
    RECT r{};
    GetClientRect(handle(), &r);
    MapWindowPoints(handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  facts.parentWindow = handle();
  facts.parentObject = OBJID_WINDOW;
  facts.children = [this] {
    std::vector<AccessibleChild> children;
    for (Control* control : readingOrder()) {
      AccessibleChild child;
      if (auto* windowed = dynamic_cast<WinControl*>(control)) {
        child.window = windowed->handle();
        child.objectId = OBJID_CLIENT;
        GetWindowRect(child.window, &child.screenRect);
      } else {
        child.window = handle();
        child.objectId = control->accessibleId();
        child.screenRect = control->boundsRect();
        MapWindowPoints(handle(), nullptr, reinterpret_cast<POINT*>(&child.screenRect), 2);
      }
      children.push_back(child);
    }
    return children;
  };
  return facts;
}

void Form::beginLayout() {
  for (Control* control : controls_) control->setRightToLeft(false);
}

void Form::endLayout() {
  if (!rightToLeft_) return;
  const int width = clientWidth();
  for (Control* control : controls_) {
    control->setLeft(MirroredLeft(width, control->left(), control->width()));
    control->setRightToLeft(true);
  }
}

void Form::addControl(Control* control) {
  controls_.push_back(control);
}

void Form::removeControl(Control* control) {
  std::erase(controls_, control);
  if (activeControl_ == control) activeControl_ = nullptr;
  if (captureControl_ == control) captureControl_ = nullptr;
}

void Form::focusChangedTo(WinControl* control) {
  if (activeControl_ == control) return;
  activeControl_ = control;
  broadcast(NotifyFocusChanged, 0, reinterpret_cast<LPARAM>(control));
}

namespace {
std::vector<WinControl*> TabStops(const std::vector<Control*>& controls) {
  std::vector<WinControl*> stops;
  for (Control* control : controls) {
    if (!control->isWindowed()) continue;
    auto* windowed = static_cast<WinControl*>(control);
    if (windowed->tabStop() && windowed->canFocus()) stops.push_back(windowed);
  }
  std::stable_sort(stops.begin(), stops.end(),
                   [](WinControl* a, WinControl* b) { return a->tabOrder() < b->tabOrder(); });
  return stops;
}
}  // namespace

WinControl* Form::firstTabStop() const {
  const std::vector<WinControl*> stops = TabStops(controls_);
  return stops.empty() ? nullptr : stops.front();
}

bool Form::selectNext(WinControl* current, bool forward) {
  const std::vector<WinControl*> stops = TabStops(controls_);
  if (stops.empty()) return false;
  const auto found = std::find(stops.begin(), stops.end(), current);
  size_t next;
  if (found == stops.end()) {
    next = forward ? 0 : stops.size() - 1;
  } else {
    const size_t index = static_cast<size_t>(found - stops.begin());
    next = forward ? (index + 1) % stops.size() : (index + stops.size() - 1) % stops.size();
  }
  stops[next]->setFocus();
  return true;
}

void Form::focusFirst() {
  if (activeControl_ && activeControl_->canFocus()) {
    activeControl_->setFocus();
  } else if (WinControl* first = firstTabStop()) {
    first->setFocus();
  }
}

void Form::showFocusCues(bool value) {
  if (focusCuesShown_ == value) return;
  focusCuesShown_ = value;
  // Windows keeps the UI state of the window too (its push buttons draw their frames by it);
  // Wine keeps none, which is why the form keeps its own.
  SendMessageW(handle(), WM_CHANGEUISTATE, MAKEWPARAM(value ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS),
               0);
  if (activeControl_) activeControl_->repaint();
  focusCuesChanged();
}

bool Form::dialogKey(WinControl* focused, WORD key, LPARAM keyData) {
  const ShiftState shift = ShiftState::FromKeyboard();
  switch (key) {
    case VK_TAB:
      if (shift.ctrl || shift.alt) return false;
      showFocusCues(true);
      return selectNext(focused, !shift.shift);
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      showFocusCues(true);
      return selectNext(focused, ArrowKeyStep(key, rightToLeft_) > 0);
    case VK_RETURN:
    case VK_ESCAPE:
      return broadcast(NotifyDialogKey, key, keyData) != 0;
    default:
      return false;
  }
}

bool Form::dialogChar(wchar_t ch, LPARAM keyData) {
  return broadcast(NotifyDialogChar, ch, keyData) != 0;
}

LRESULT Form::broadcast(UINT code, WPARAM wParam, LPARAM lParam) {
  // A copy: a handler may create or destroy controls.
  const std::vector<Control*> targets = controls_;
  for (Control* control : targets) {
    if (std::find(controls_.begin(), controls_.end(), control) == controls_.end()) continue;
    if (const LRESULT answer = control->notify(code, wParam, lParam)) return answer;
  }
  return 0;
}

GraphicControl* Form::graphicControlAt(POINT client) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    Control* control = *it;
    if (control->isWindowed() || !control->visible()) continue;
    const RECT r = control->boundsRect();
    if (PtInRect(&r, client)) return static_cast<GraphicControl*>(control);
  }
  return nullptr;
}

namespace {

// The control painted in its own coordinates at its place in `dc`, the form's, and only there.
void PaintInPlace(HDC dc, Control& control) {
  const RECT bounds = control.boundsRect();
  SavedDcState state(dc);
  POINT origin;
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x + bounds.left, origin.y + bounds.top, nullptr);
  IntersectClipRect(dc, 0, 0, control.width(), control.height());
  control.paint(dc);
}

// Whether all of `r`, not empty, lies inside `region`.
bool Covers(HRGN region, const RECT& r) {
  if (IsRectEmpty(&r)) return false;
  RegionHandle outside(CreateRectRgnIndirect(&r));
  return outside && CombineRgn(outside.get(), outside.get(), region, RGN_DIFF) == NULLREGION;
}

}  // namespace

void Form::paintContent(HDC dc, const RECT& area) {
  BrushHandle background(CreateSolidBrush(ColorToRgb(color_)));
  FillRect(dc, &area, background.get());
  for (Control* control : controls_) {
    if (control->isWindowed() || !control->visible()) continue;
    if (Intersects(control->boundsRect(), area)) PaintInPlace(dc, *control);
  }
}

void Form::onPaint(WPARAM wParam) {
  if (wParam) {
    // Painting into a given DC (a control copying its background): the DC's clip box is the area.
    HDC dc = reinterpret_cast<HDC>(wParam);
    RECT area;
    if (GetClipBox(dc, &area) == ERROR) GetClientRect(handle(), &area);
    paintContent(dc, area);
    return;
  }
  // The exact region this paint covers, asked before the paint takes it: a child window is
  // painted here only when all of it lies inside.
  RegionHandle waiting(CreateRectRgn(0, 0, 0, 0));
  if (GetUpdateRgn(handle(), waiting.get(), FALSE) == ERROR) waiting.reset();
  PaintScope scope(handle());
  const RECT area = scope.area();
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  // Composed off-screen and copied in one block: no flicker.
  MemoryDcHandle memory(CreateCompatibleDC(scope.dc()));
  BitmapHandle buffer(CreateCompatibleBitmap(scope.dc(), width, height));
  SelectObjectScope select(memory.get(), buffer.get());
  SetViewportOrgEx(memory.get(), -area.left, -area.top, nullptr);
  paintContent(memory.get(), area);
  const std::vector<WinControl*> children =
      paintWaitingChildren(memory.get(), scope.dc(), waiting.get());
  SetViewportOrgEx(memory.get(), 0, 0, nullptr);
  BitBlt(scope.dc(), area.left, area.top, width, height, memory.get(), 0, 0, SRCCOPY);
  painted_ = true;
  // Painted: no paint of their own follows (erasing and frame included).
  for (WinControl* child : children) ValidateRect(child->handle(), nullptr);
}

std::vector<WinControl*> Form::paintWaitingChildren(HDC dc, HDC screen, HRGN area) {
  // Each child window's own paint costs round trips to the window system: the form paints
  // those that wait for a paint into its own buffer, which then goes to the screen in one
  // block. Only controls whose paint covers their whole client area and nothing else, lying
  // wholly inside the area, so that the pixels are those of their own paint; the screen's DC
  // leaves out every other child window, as a window that clips its children does. A form
  // whose window clips its children leaves them all to themselves.
  if (!area || (GetWindowLongW(handle(), GWL_STYLE) & WS_CLIPCHILDREN)) return {};
  std::vector<WinControl*> children;
  std::vector<WinControl*> others;
  for (Control* control : controls_) {
    if (!control->isWindowed() || !control->visible()) continue;
    auto* child = static_cast<WinControl*>(control);
    if (!child->handleAllocated() || !IsWindowVisible(child->handle())) continue;
    const bool waits = child->paintsWholeClient() && Covers(area, child->boundsRect()) &&
                       GetUpdateRect(child->handle(), nullptr, FALSE);
    (waits ? children : others).push_back(child);
  }
  const auto overlap = [](const WinControl* a, const WinControl* b) {
    const RECT first = a->boundsRect(), second = b->boundsRect();
    RECT common;
    return IntersectRect(&common, &first, &second) != FALSE;
  };
  // One that overlaps a child window left to itself paints itself too: copied to the screen,
  // it would cover that one's pixels.
  for (bool moved = true; moved;) {
    moved = false;
    for (auto it = children.begin(); it != children.end(); ++it) {
      if (std::any_of(others.begin(), others.end(),
                      [&](const WinControl* other) { return overlap(*it, other); })) {
        others.push_back(*it);
        children.erase(it);
        moved = true;
        break;
      }
    }
  }
  // Bottom first where any two overlap: the upper one's pixels stay on top, as child windows
  // clipping their siblings show them.
  bool overlapping = false;
  for (size_t i = 0; i < children.size(); ++i) {
    for (size_t j = i + 1; j < children.size(); ++j) {
      overlapping |= overlap(children[i], children[j]);
    }
  }
  if (overlapping) {
    std::vector<WinControl*> bottomFirst;
    for (HWND window = GetWindow(handle(), GW_CHILD); window;
         window = GetWindow(window, GW_HWNDNEXT)) {
      for (WinControl* child : children) {
        if (child->handle() == window) bottomFirst.insert(bottomFirst.begin(), child);
      }
    }
    children = std::move(bottomFirst);
  }
  for (const WinControl* other : others) {
    const RECT bounds = other->boundsRect();
    ExcludeClipRect(screen, bounds.left, bounds.top, bounds.right, bounds.bottom);
  }
  for (WinControl* child : children) PaintInPlace(dc, *child);
  return children;
}

void Form::onMouseButtonDown(MouseButton button, WPARAM flags, int x, int y) {
  showFocusCues(false);
  GraphicControl* target = graphicControlAt(POINT{x, y});
  if (button == MouseButton::Left) {
    if (handle() == GetActiveWindow() && activeControl_) {
      activeControl_->notify(NotifyCancelMode, 0, reinterpret_cast<LPARAM>(target));
    }
    SetCapture(handle());
    if (target) {
      captureControl_ = target;
      target->clickedMark = true;
    }
  }
  if (target) {
    target->mouseDown(button, ShiftState::FromMouseFlags(flags), x - target->left(),
                      y - target->top());
  }
}

void Form::onMouseMove(WPARAM flags, int x, int y) {
  if (!trackingLeave_) {
    // Asks for WM_MOUSELEAVE, so the message loop wakes when the pointer leaves.
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle(), 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
  GraphicControl* target = captureControl_ ? captureControl_ : graphicControlAt(POINT{x, y});
  if (target) {
    target->mouseMove(ShiftState::FromMouseFlags(flags), x - target->left(), y - target->top());
  }
}

void Form::onMouseButtonUp(MouseButton button, WPARAM flags, int x, int y) {
  GraphicControl* target = captureControl_ ? captureControl_ : graphicControlAt(POINT{x, y});
  if (button == MouseButton::Left) {
    if (GetCapture() == handle()) ReleaseCapture();
    captureControl_ = nullptr;
  }
  if (!target) return;
  const int cx = x - target->left();
  const int cy = y - target->top();
  if (button == MouseButton::Left && target->clickedMark) {
    target->clickedMark = false;
    if (InsideForClick(cx, cy, target->width(), target->height())) target->click();
  }
  target->mouseUp(button, ShiftState::FromMouseFlags(flags), cx, cy);
}

bool Form::onSetCursor(int hitTest) {
  int shape = kCursorDefault;
  POINT point;
  if (hitTest == HTCLIENT && GetCursorPos(&point) && ScreenToClient(handle(), &point)) {
    GraphicControl* target = captureControl_ ? captureControl_ : graphicControlAt(point);
    if (target) shape = target->cursor();
  }
  if (shape == kCursorDefault) shape = cursor_;
  return CursorTable::Instance().applyCursor(hitTest, shape);
}

LRESULT Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  if (const std::optional<MouseButtonMessage> mouse = DecodeMouseButtonMessage(message)) {
    if (mouse->down) {
      onMouseButtonDown(mouse->button, wParam, x, y);
    } else {
      onMouseButtonUp(mouse->button, wParam, x, y);
    }
    return 0;
  }
  switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      onPaint(wParam);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint fills the background itself
    case WM_SHOWWINDOW:
      if (!wParam) painted_ = false;
      break;
    case WM_MOUSEMOVE:
      onMouseMove(wParam, x, y);
      return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      return 0;
    case WM_CAPTURECHANGED:
      captureControl_ = nullptr;
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == handle() && onSetCursor(LOWORD(lParam))) return TRUE;
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
        focusFirst();
        return 0;
      }
      break;
    case WM_SETFOCUS:
      focusFirst();
      return 0;
    case WM_CLOSE:
      close();
      return 0;
    case WM_UPDATEUISTATE:
      // The system's own change of the UI state (Windows sends it; Wine does not).
      if (HIWORD(wParam) & UISF_HIDEFOCUS) {
        const bool shown = focusCuesShown_;
        if (LOWORD(wParam) == UIS_SET) focusCuesShown_ = false;
        if (LOWORD(wParam) == UIS_CLEAR) focusCuesShown_ = true;
        if (activeControl_) activeControl_->invalidate();
        if (focusCuesShown_ != shown) focusCuesChanged();
      }
      break;
    case WM_GETOBJECT: {
      // The client area, whose children are the controls; a windowless control's object, under
      // the identifier the control was given.
      const LONG id = static_cast<LONG>(static_cast<DWORD>(lParam));
      if (id == OBJID_CLIENT) {
        if (const LRESULT answer =
                accessible_.answer(wParam, [this] { return accessibleFacts(); })) {
          return answer;
        }
      }
      Control* control = id > 0 ? controlWithAccessibleId(id) : nullptr;
      if (control && !control->hiddenFromReaders()) {
        if (const LRESULT answer = control->answerAccessibleRequest(wParam)) return answer;
      }
      break;
    }
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale (or told so by a test): the new DPI and the
      // rectangle the system suggests for it.
      const int dpi = HIWORD(wParam);
      if (dpi <= 0) return 0;
      dpi_ = dpi;
      dpiChanged(dpi, *reinterpret_cast<const RECT*>(lParam));
      return 0;
    }
    case WM_COMMAND:
      // Notifications of system-class children (push buttons) go back to their control.
      if (lParam) {
        if (Window* child = Window::FromHandle(reinterpret_cast<HWND>(lParam))) {
          return SendMessageW(child->handle(), kChildCommand, wParam, lParam);
        }
      }
      break;
    default:
      break;
  }
  return defaultHandler(message, wParam, lParam);
}

}  // namespace ss
