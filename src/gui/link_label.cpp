#include "gui/link_label.h"

#include "core/menu_text.h"
#include "gui/form.h"
#include "gui/input_rules.h"
#include "gui/label.h"

namespace ss {

namespace {
constexpr const char* kLinkClass = "SuiteStartLink";
constexpr long kStateLinked = 0x400000;
}  // namespace

LinkLabel::LinkLabel(Form& parent) : CustomControl(parent) {
  setTabStop(true);
  setBounds(0, 0, 65, 17);
  createHandle(kLinkClass);
}

void LinkLabel::adjustBounds() {
  SizeToText(*this, LabelTextSize(fontHandle(), text(), {false, rightToLeft()}, width()));
}

LRESULT LinkLabel::notify(UINT code, WPARAM wParam, LPARAM lParam) {
  switch (code) {
    case NotifyMouseEnter:
      CustomControl::notify(code, wParam, lParam);
      if (OnMouseEnter) OnMouseEnter(*this);
      return 0;
    case NotifyMouseLeave:
      CustomControl::notify(code, wParam, lParam);
      if (OnMouseExit) OnMouseExit(*this);
      return 0;
    case NotifyTextChanged:
      adjustBounds();
      invalidate();
      if (handleAllocated()) RaiseAccessibleEvent(EVENT_OBJECT_NAMECHANGE, handle(), OBJID_CLIENT);
      return 0;
    case NotifyFontChanged:
      adjustBounds();
      invalidate();
      return 0;
    case NotifyDialogKey:
      // Return opens the focused link instead of pressing the form's default button.
      if (wParam == kKeyReturn && focused()) {
        click();
        return 1;
      }
      return 0;
    default:
      return CustomControl::notify(code, wParam, lParam);
  }
}

void LinkLabel::keyDown(WORD& key, ShiftState) {
  if (key == kKeySpace && enabled()) click();
}

LRESULT LinkLabel::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CustomControl::handleMessage(message, wParam, lParam);
  // The focus frame comes and goes with the focus.
  if (message == WM_SETFOCUS || message == WM_KILLFOCUS) repaint();
  return result;
}

void LinkLabel::paint(HDC dc) {
  const RECT client = clientRect();
  if (client.right <= 0 || client.bottom <= 0) return;
  // Composed off-screen: the form's background, the text as a label draws it, the frame.
  MemoryDcHandle memory(CreateCompatibleDC(dc));
  BitmapHandle buffer(CreateCompatibleBitmap(dc, client.right, client.bottom));
  SelectObjectScope select(memory.get(), buffer.get());
  BrushHandle background(CreateSolidBrush(ColorToRgb(color())));
  FillRect(memory.get(), &client, background.get());
  DrawLabelText(memory.get(), fontHandle(), font().color, text(), client, {false, rightToLeft()});
  if (focused() && parent() && parent()->focusCuesShown()) {
    // DrawFocusRect's dotted brush takes the DC's text and background colours: black and
    // white make it a pure inversion of the pixels.
    SetBkColor(memory.get(), 0xFFFFFF);
    SetTextColor(memory.get(), 0x000000);
    DrawFocusRect(memory.get(), &client);
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

std::optional<AccessibleFacts> LinkLabel::accessibleFacts() {
  AccessibleFacts facts = windowAccessibleFacts(kRoleLink);
  facts.name = [this] { return WithoutMnemonicPrefixes(text()); };
  facts.state = [this] { return windowAccessibleState() | kStateLinked; };
  facts.defaultAction = "Jump";
  return facts;
}

}  // namespace ss
