#include "gui/label.h"

#include "core/wide.h"
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

UINT Label::drawFlags() const {
  // No DT_NOPREFIX: "&" underlines the next character and "&&" draws one ampersand.
  return DT_LEFT | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0);
}

void Label::adjustBounds() {
  if (!autoSize_) return;
  WindowDc screen(nullptr);
  SelectObjectScope font(screen.get(), fontHandle());
  const std::string& shown = text().empty() ? std::string(" ") : text();
  RECT r{0, 0, wordWrap_ ? width() : 0, 0};
  const std::wstring wide = Wide(shown);
  DrawTextW(screen.get(), wide.c_str(), static_cast<int>(wide.size()), &r,
            drawFlags() | DT_CALCRECT);
  setBounds(left(), top(), wordWrap_ ? width() : r.right, r.bottom);
}

LRESULT Label::notify(UINT code, WPARAM wParam, LPARAM lParam) {
  switch (code) {
    case NotifyMouseEnter:
      if (OnMouseEnter) OnMouseEnter(*this);
      break;
    case NotifyMouseLeave:
      if (OnMouseLeave) OnMouseLeave(*this);
      break;
    case NotifyTextChanged:
    case NotifyFontChanged:
      adjustBounds();
      invalidate();
      break;
    default:
      break;
  }
  return GraphicControl::notify(code, wParam, lParam);
}

void Label::paint(HDC dc) {
  RECT r = clientRect();
  if (!transparent_) {
    BrushHandle brush(CreateSolidBrush(ColorToRgb(color())));
    FillRect(dc, &r, brush.get());
  }
  SelectObjectScope font(dc, fontHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRgb(this->font().color));
  const std::wstring wide = Wide(text());
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, drawFlags());
}

}  // namespace ss
