// A link: a label's text in a window of its own, so that the keyboard reaches it. It looks as a
// label on its form's background does, sizes itself to its text, shows a focus frame while the
// form shows focus cues, and opens (clicks) with the mouse, Return or Space.
#pragma once

#include <string>

#include "gui/control.h"

namespace ss {

class LinkLabel : public CustomControl {
 public:
  explicit LinkLabel(Form& parent);

  const std::string& caption() const { return text(); }
  void setCaption(const std::string& value) { setText(value); }

  LRESULT notify(UINT code, WPARAM wParam, LPARAM lParam) override;
  void paint(HDC dc) override;
  // A link named by its text, with the default action "Jump".
  std::optional<AccessibleFacts> accessibleFacts() override;

 protected:
  void keyDown(WORD& key, ShiftState shift) override;
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void adjustBounds();
};

}  // namespace ss
