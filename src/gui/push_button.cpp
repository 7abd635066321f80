#include "gui/push_button.h"

#include "core/wide.h"
#include "gui/form.h"
#include "gui/input_rules.h"

namespace ss {

PushButton::PushButton(Form& parent, int left, int top, int width, int height,
                       const std::string& caption)
    : WinControl(parent) {
  setBounds(left, top, width, height);
  setText(caption);
  setTabStop(true);
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON;
  if (visible()) style |= WS_VISIBLE;
  createSuperclassedWindow("BUTTON", "SuiteStartPushButton", 0, style, caption.c_str(), left, top,
                           width, height, parent.handle(), nullptr);
  SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle()), FALSE);
}

void PushButton::setDefault(bool value) {
  default_ = value;
  SendMessageW(handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void PushButton::click() {
  if (modalResult != 0 && parent()) parent()->setModalResult(modalResult);
  WinControl::click();
}

LRESULT PushButton::notify(UINT code, WPARAM wParam, LPARAM lParam) {
  switch (code) {
    case NotifyDialogKey:
      if (DialogKeyClicks(static_cast<unsigned>(wParam), default_, cancel_,
                          ShiftState::FromKeyData(lParam).modifierHeld(), canFocus())) {
        click();
        return 1;
      }
      return 0;
    case NotifyFontChanged:
      SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle()), TRUE);
      return 0;
    case NotifyTextChanged:
      SetWindowTextW(handle(), Wide(text()).c_str());
      return 0;
    default:
      return WinControl::notify(code, wParam, lParam);
  }
}

LRESULT PushButton::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kChildCommand:
      if (HIWORD(wParam) == BN_CLICKED) click();
      return 0;
    case WM_SETFOCUS:
      if (parent()) parent()->focusChangedTo(this);
      break;
    case WM_SETCURSOR:
      // The form's pointer shape and the busy cursor apply over the button too.
      return WinControl::handleMessage(message, wParam, lParam);
    default:
      if (IsNotification(message)) return notify(message, wParam, lParam);
      break;
  }
  // Everything else is the system button's: it presses, captures and draws itself.
  return defaultHandler(message, wParam, lParam);
}

}  // namespace ss
