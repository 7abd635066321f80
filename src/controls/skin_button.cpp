#include "controls/skin_button.h"

#include <algorithm>
#include <exception>

#include "core/menu_text.h"
#include "core/wide.h"
#include "gui/dpi.h"
#include "gui/form.h"

namespace ss {

namespace {

// Registered without CS_DBLCLKS: the second press of a double click arrives as a plain press.
constexpr const char* kButtonClass = "SuiteStartSkinButton";

// DrawTextA formats of the caption: measure (compute the rectangle, expand tabs, break words),
// then draw (expand tabs, break words).
constexpr UINT kMeasureFormat = DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK;
constexpr UINT kDrawFormat = DT_EXPANDTABS | DT_WORDBREAK;
static_assert(kMeasureFormat == 0x450 && kDrawFormat == 0x50);

// The state bitmap of a look whose picture is not a bitmap: a white block of this size.
constexpr int kFallbackWidth = 74;
constexpr int kFallbackHeight = 21;

constexpr COLORREF kDisabledShadow = 0xFFFFFF;
constexpr COLORREF kDisabledText = 0x808080;

}  // namespace

TUIStyle DefaultUIStyle(const Form&) {
  return TUIStyle::Standard;
}

void CopyParentBackground(HDC dc, const Control& control) {
  Form* parent = control.parent();
  if (!parent || !parent->handleAllocated()) return;
  SavedDcState saved(dc);
  // The parent's client coordinates fall onto the buffer once the origin moves by the control's
  // position; the parent clips itself to its client area.
  POINT origin;
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x - control.left(), origin.y - control.top(), nullptr);
  IntersectClipRect(dc, 0, 0, parent->clientWidth(), parent->clientHeight());
  SendMessageW(parent->handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(parent->handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

TCustomSkinButton::TCustomSkinButton(Form& owner) : CustomControl(owner) {
  // No child controls and no double clicks: see kButtonClass. The text starts empty, and so
  // does Caption.
  setTabStop(true);
  setUIStyle(DefaultUIStyle(owner));
}

TCustomSkinButton::~TCustomSkinButton() {
  repeatTimer_.reset();
  // The window goes in ~WinControl, where no message can reach this class's overrides.
}

void TCustomSkinButton::createButtonWindow() {
  createHandle(kButtonClass);
  isDefaultActive_ = default_;
}

// ---- properties ----

void TCustomSkinButton::setAutoSize(bool value) {
  autoSize_ = value;
  ApplyAutoSize();
  repaint();
}

void TCustomSkinButton::setCaption(const std::string& value) {
  caption_ = value;
  // Changing the text comes back through NotifyTextChanged with the same string.
  setText(value);
  AfterCaptionSet();
  repaint();
}

void TCustomSkinButton::setDefault(bool value) {
  default_ = value;
  if (handleAllocated() && parent()) {
    Form* form = parent();
    form->broadcast(NotifyFocusChanged, 0, reinterpret_cast<LPARAM>(form->activeControl()));
  }
}

void TCustomSkinButton::setTransparent(bool value) {
  transparent_ = value;
  ApplyTransparent();
  repaint();
}

void TCustomSkinButton::setUIStyle(TUIStyle value) {
  uiStyle_ = value;
  AfterUIStyleSet();
  repaint();
}

void TCustomSkinButton::setFocusedRectMargin(int value) {
  focusedRectMargin_ = value;
  repaint();
}

void TCustomSkinButton::setEnabled(bool value) {
  CustomControl::setEnabled(value);
  AfterEnabledSet();
  repaint();
}

void TCustomSkinButton::ApplyFont() {
  repaint();
}

void TCustomSkinButton::ApplyTransparent() {
  pictureTransparent_ = transparent_;
  repaint();
}

// ---- transitions ----

void TCustomSkinButton::createRepeatTimer() {
  auto timer = std::make_unique<Timer>();
  timer->OnTimer = [this] { RepeatTick(); };
  timer->setInterval(RepeatInterval(mouseContinuouslyDownInterval_));
  timer->setEnabled(true);
  repeatTimer_ = std::move(timer);
}

void TCustomSkinButton::RepeatTick() {
  if (OnMouseContinuouslyDown) OnMouseContinuouslyDown(*this);
}

void TCustomSkinButton::mouseDown(MouseButton button, ShiftState shift, int x, int y) {
  if (button == MouseButton::Left) {
    const ButtonEffects effects = state_.leftPress();
    ApplyTimerEffects(effects, *this);
    // A focus that cannot be given (SetFocus refused) does not stop the press.
    if (tabStop() && canFocus() && enabled() && visible()) setFocus();
    if (effects.repaint) repaint();
  }
  CustomControl::mouseDown(button, shift, x, y);
}

void TCustomSkinButton::mouseMove(ShiftState shift, int x, int y) {
  CustomControl::mouseMove(shift, x, y);
  apply(state_.move(x, y, width(), height()));
}

void TCustomSkinButton::mouseUp(MouseButton button, ShiftState shift, int x, int y) {
  // A repeat that a key click left running stops with the left button: nothing holds the
  // button any more.
  if (button == MouseButton::Left) apply(state_.leftRelease());
  CustomControl::mouseUp(button, shift, x, y);
}

void TCustomSkinButton::click() {
  apply(state_.clickBegins());
  // Every click sets the form's modal result, also to 0.
  if (Form* form = parent()) form->setModalResult(modalResult_);
  CustomControl::click();
}

void TCustomSkinButton::keyDown(WORD& key, ShiftState) {
  apply(state_.keyDown(key, focused(), enabled()));
}

void TCustomSkinButton::keyUp(WORD& key, ShiftState) {
  apply(state_.keyUp(key, focused(), enabled()));
}

LRESULT TCustomSkinButton::dialogKey(WPARAM key, LPARAM keyData) {
  if (DialogKeyClicks(static_cast<unsigned>(key), isDefaultActive_, cancel_,
                      ShiftState::FromKeyData(keyData).modifierHeld(), canFocus())) {
    click();
    return 1;
  }
  return CustomControl::notify(NotifyDialogKey, key, keyData);
}

LRESULT TCustomSkinButton::dialogChar(wchar_t ch, LPARAM keyData) {
  CustomControl::notify(NotifyDialogChar, ch, keyData);
  if (!IsAccelerator(ch, caption_)) return 0;
  // Without Alt the accelerator counts only while an image button has the focus.
  const bool alt = (keyData & kKeyDataAlt) != 0;
  if (!alt && SendMessageW(GetFocus(), WM_IS_SKIN_BUTTON, 0, 0) != 1) return 0;
  if (!parent() || !parent()->enabled() || !enabled() || !visible()) return 0;
  click();
  return 1;
}

LRESULT TCustomSkinButton::notify(UINT code, WPARAM wParam, LPARAM lParam) {
  switch (code) {
    case NotifyMouseEnter:
      // Enabled is not consulted: a disabled button follows the pointer too.
      CustomControl::notify(code, wParam, lParam);
      apply(state_.mouseEnter());
      if (OnMouseEnter) OnMouseEnter(*this);
      return 0;
    case NotifyMouseLeave:
      CustomControl::notify(code, wParam, lParam);
      apply(state_.mouseLeave());
      if (OnMouseExit) OnMouseExit(*this);
      return 0;
    case NotifyCancelMode:
      // Whichever control caused it, the press and the hover end without an event.
      apply(state_.cancelMode());
      return 0;
    case NotifyFontChanged:
      ApplyFont();
      return 0;
    case NotifyDialogKey:
      return dialogKey(wParam, lParam);
    case NotifyDialogChar:
      return dialogChar(static_cast<wchar_t>(wParam), lParam);
    case NotifyFocusChanged:
      CustomControl::notify(code, wParam, lParam);
      isDefaultActive_ = default_;
      repaint();
      return 0;
    case NotifyTextChanged:
      setCaption(text());
      return 0;
    default:
      return CustomControl::notify(code, wParam, lParam);
  }
}

LRESULT TCustomSkinButton::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_IS_SKIN_BUTTON:
      return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      // The focus frame follows; IsMouseDown stays as it is.
      const LRESULT result = CustomControl::handleMessage(message, wParam, lParam);
      repaint();
      return result;
    }
    default:
      return CustomControl::handleMessage(message, wParam, lParam);
  }
}

// ---- painting ----

void TCustomSkinButton::fillStateBitmap(Bitmap& bitmap) {
  switch (state_.look(enabled())) {
    case ButtonLook::Disabled:
      GetDisabledBitmap(bitmap);
      break;
    case ButtonLook::MouseDown:
      GetMouseDownBitmap(bitmap);
      break;
    case ButtonLook::MouseOn:
      GetMouseOnBitmap(bitmap);
      break;
    case ButtonLook::Normal:
      GetNormalBitmap(bitmap);
      break;
  }
}

void TCustomSkinButton::paint(HDC dc) {
  // The two bitmaps of this paint: the buffer and the state bitmap.
  Bitmap buffer;
  Bitmap stateBitmap;
  try {
    fillStateBitmap(stateBitmap);
  } catch (const std::exception&) {
    // A look whose picture is no bitmap shows a white block; nothing is reported.
    stateBitmap.setSize(kFallbackWidth, kFallbackHeight);
  }
  stateBitmap.transparent = pictureTransparent_;

  buffer.setSize(width(), height());
  if (buffer.empty()) return;  // no area: nothing to show
  BitmapDc canvas(buffer.handle());
  const RECT client = clientRect();
  if (transparent_) {
    CopyParentBackground(canvas.get(), *this);
  } else {
    BrushHandle brush(CreateSolidBrush(ColorToRgb(color())));
    FillRect(canvas.get(), &client, brush.get());
  }
  DrawPicture(canvas.get(), stateBitmap);
  stateBitmap.clear();
  if (focused() && tabStop()) DrawFocusFrame(canvas.get());

  SavedDcState target(dc);
  SavedDcState buffered(canvas.get());
  SelectObject(canvas.get(), fontHandle());
  SelectObject(dc, fontHandle());
  if (!CaptionIsBlank(caption_)) DrawCaption(canvas.get(), caption_);
  BitBlt(dc, 0, 0, client.right, client.bottom, canvas.get(), 0, 0, SRCCOPY);
}

void TCustomSkinButton::DrawFocusFrame(HDC canvas) {
  const int m = focusedRectMargin_;
  const RECT frame{m, m, width() - m, height() - m};
  // DrawFocusRect's dotted brush takes the DC's text and background colours: black and white
  // (a solid white brush) make it a pure inversion of the pixels.
  SetBkMode(canvas, OPAQUE);
  SetBkColor(canvas, 0xFFFFFF);
  SetTextColor(canvas, 0x000000);
  DrawFocusRect(canvas, &frame);
}

void TCustomSkinButton::DrawKeyboardFocusFrame(HDC canvas) {
  const int dpi = parent() ? parent()->dpi() : kDesignDpi;
  const int m = Scaled(focusedRectMargin_, dpi);
  const int line = std::max(1, Scaled(1, dpi));
  RECT frame{m, m, width() - m, height() - m};
  for (const COLORREF color : {RGB(0x10, 0x10, 0x10), RGB(0xFF, 0xFF, 0xFF)}) {
    BrushHandle brush(CreateSolidBrush(color));
    for (int i = 0; i < line; ++i) {
      FrameRect(canvas, &frame, brush.get());
      InflateRect(&frame, -1, -1);
    }
  }
}

std::optional<AccessibleFacts> TCustomSkinButton::accessibleFacts() {
  AccessibleFacts facts = windowAccessibleFacts(opensMenu_ ? kRoleButtonMenu : kRolePushButton);
  facts.name = [this] {
    return accessibleName_.empty() ? WithoutMnemonicPrefixes(caption_) : accessibleName_;
  };
  facts.description = [this] { return accessibleDescription_; };
  facts.state = [this] { return windowAccessibleState() | (IsMouseDown() ? kStatePressed : 0); };
  facts.defaultAction = "Press";
  return facts;
}

void TCustomSkinButton::drawCentred(HDC canvas, const std::string& text, const RECT& area) {
  RECT block = area;
  const std::wstring wide = Wide(text);
  const int length = static_cast<int>(wide.size());
  DrawTextW(canvas, wide.c_str(), length, &block, kMeasureFormat);
  const Offset move = CentreOffset(area.right - area.left, area.bottom - area.top,
                                   block.right - block.left, block.bottom - block.top);
  OffsetRect(&block, move.dx, move.dy);
  DrawTextW(canvas, wide.c_str(), length, &block, kDrawFormat);
}

void TCustomSkinButton::DrawCaption(HDC canvas, const std::string& caption) {
  SetBkMode(canvas, TRANSPARENT);
  RECT area = clientRect();
  SelectObject(canvas, fontHandle());
  if (!enabled()) {
    RECT shadow = area;
    OffsetRect(&shadow, 1, 1);
    SetTextColor(canvas, kDisabledShadow);
    drawCentred(canvas, caption, shadow);
    SetTextColor(canvas, kDisabledText);
  } else {
    SetTextColor(canvas, ColorToRgb(font().color));
    if (IsMouseDown()) OffsetRect(&area, 1, 1);
  }
  drawCentred(canvas, caption, area);
}

}  // namespace ss
