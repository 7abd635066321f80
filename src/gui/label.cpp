#include "gui/label.h"

#include "core/menu_text.h"
#include "core/wide.h"
#include "gui/bitmap.h"
#include "gui/form.h"

namespace ss {

Label::Label(Form& parent) : GraphicControl(parent) {
  setBounds(0, 0, 65, 17);
}

void Label::setAutoSize(bool value) {
  autoSize_ = value;
  adjustBounds();
}

void Label::setWordWrap(bool value) {
  if (wordWrap_ == value) return;
  wordWrap_ = value;
  adjustBounds();
  invalidate();
}

void Label::setTransparent(bool value) {
  transparent_ = value;
  invalidate();
}

namespace {

UINT LabelTextFlags(LabelTextStyle style) {
  // No DT_NOPREFIX: "&" underlines the next character and "&&" draws one ampersand.
  return (style.rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT) | DT_EXPANDTABS |
         (style.wordWrap ? DT_WORDBREAK : 0);
}

}  // namespace

SIZE LabelTextSize(HFONT font, const std::string& text, LabelTextStyle style, int width) {
  ScreenInfoDc screen;
  SelectObjectScope select(screen.get(), font);
  const std::wstring wide = Wide(text.empty() ? std::string(" ") : text);
  RECT r{0, 0, style.wordWrap ? width : 0, 0};
  DrawTextW(screen.get(), wide.c_str(), static_cast<int>(wide.size()), &r,
            LabelTextFlags(style) | DT_CALCRECT);
  return SIZE{style.wordWrap ? width : r.right, r.bottom};
}

void DrawLabelText(HDC dc, HFONT font, Color color, const std::string& text, RECT area,
                   LabelTextStyle style) {
  SelectObjectScope select(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRgb(color));
  const std::wstring wide = Wide(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area, LabelTextFlags(style));
}

void SizeToText(Control& control, SIZE size) {
  const int left =
      control.rightToLeft() ? control.left() + control.width() - size.cx : control.left();
  control.setBounds(left, control.top(), size.cx, size.cy);
}

void Label::adjustBounds() {
  if (!autoSize_) return;
  SizeToText(*this, LabelTextSize(fontHandle(), text(), {wordWrap_, rightToLeft()}, width()));
}

LRESULT Label::notify(UINT code, WPARAM wParam, LPARAM lParam) {
  switch (code) {
    case NotifyMouseEnter:
      if (OnMouseEnter) OnMouseEnter(*this);
      break;
    case NotifyMouseLeave:
      if (OnMouseExit) OnMouseExit(*this);
      break;
    case NotifyTextChanged:
      adjustBounds();
      invalidate();
      if (parent() && parent()->handleAllocated() && !hiddenFromReaders()) {
        RaiseAccessibleEvent(EVENT_OBJECT_NAMECHANGE, parent()->handle(), accessibleId());
      }
      break;
    case NotifyFontChanged:
      adjustBounds();
      invalidate();
      break;
    default:
      break;
  }
  return GraphicControl::notify(code, wParam, lParam);
}

std::optional<AccessibleFacts> Label::accessibleFacts() {
  AccessibleFacts facts;
  facts.role = kRoleStaticText;
  facts.name = [this] { return WithoutMnemonicPrefixes(text()); };
  facts.state = [this] { return kStateReadOnly | (visible() ? 0 : kStateInvisible); };
  facts.screenRect = [this] {
    RECT r = boundsRect();
    if (parent()) MapWindowPoints(parent()->handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  facts.parentWindow = parent() ? parent()->handle() : nullptr;
  facts.parentObject = OBJID_CLIENT;
  return facts;
}

void Label::paint(HDC dc) {
  RECT r = clientRect();
  if (!transparent_) {
    BrushHandle brush(CreateSolidBrush(ColorToRgb(color())));
    FillRect(dc, &r, brush.get());
  }
  DrawLabelText(dc, fontHandle(), font().color, text(), r, {wordWrap_, rightToLeft()});
}

}  // namespace ss
