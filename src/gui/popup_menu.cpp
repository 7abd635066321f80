#include "gui/popup_menu.h"

#include "core/menu_text.h"
#include "core/wide.h"
#include "gui/form.h"
#include "gui/handle.h"

namespace ss {

std::vector<std::string> PopupMenu::shownCaptions() const {
  std::vector<std::string> captions;
  for (const Item& item : items_) captions.push_back(item.caption);
  return WithAutomaticMnemonics(captions);
}

void PopupMenu::popup(int x, int y) {
  MenuHandle menu(CreatePopupMenu());
  const std::vector<std::string> captions = shownCaptions();
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].caption == "-") {
      AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::string text = captions[i];
    const std::string shortcut = ShortcutText(items_[i].shortcut);
    if (!shortcut.empty()) text += "\t" + shortcut;
    // Command identifiers start at 1: 0 means the menu was dismissed.
    AppendMenuW(menu.get(), MF_STRING, i + 1, Wide(text).c_str());
  }
  HWND owner = owner_->handle();
  // The owner must be the foreground window, or the menu would not close when the user clicks
  // elsewhere; the posted message lets the menu loop end cleanly afterwards.
  SetForegroundWindow(owner);
  // A right-to-left menu is laid out right to left as a whole, which also turns the horizontal
  // alignment round: without TPM_RIGHTALIGN its right edge is at x. Items marked MFT_RIGHTORDER
  // instead leave Wine's menu an empty frame.
  const UINT direction = owner_->rightToLeft() ? TPM_LAYOUTRTL : TPM_LEFTALIGN;
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(
      menu.get(), direction | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y,
      0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  if (chosen >= 1 && chosen <= items_.size() && items_[chosen - 1].onClick) {
    items_[chosen - 1].onClick();
  }
}

}  // namespace ss
