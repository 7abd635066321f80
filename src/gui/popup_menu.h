// Popup menus: captions, separators and shown-only shortcut texts, tracked modally.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ss {

class Form;

class PopupMenu {
 public:
  struct Item {
    std::string name;
    std::string caption;         // "-" for a separator
    std::uint16_t shortcut = 0;  // shown beside the caption only; the menu does not act on it
    std::function<void()> onClick;
  };

  // The menu's owner receives its messages while it is tracked.
  explicit PopupMenu(Form& owner) : owner_(&owner) {}

  void addItem(Item item) { items_.push_back(std::move(item)); }
  void setCaption(std::size_t index, std::string caption) {
    items_.at(index).caption = std::move(caption);
  }
  const std::vector<Item>& items() const { return items_; }
  // The captions as shown: each item without a mnemonic is given one.
  std::vector<std::string> shownCaptions() const;

  // Shows the menu with its top-left corner at a screen point and tracks it (left or right
  // button); the chosen item's handler runs, dismissing does nothing. For a right-to-left owner
  // the point is the menu's top-right corner and its items read right to left.
  void popup(int x, int y);

 private:
  Form* owner_;
  std::vector<Item> items_;
};

}  // namespace ss
