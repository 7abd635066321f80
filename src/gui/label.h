// Labels: windowless text with a transparent background, sizing to their text, word wrap and
// "&" as a mnemonic prefix ("&&" draws one "&").
#pragma once

#include <string>

#include "gui/control.h"

namespace ss {

class Label : public GraphicControl {
 public:
  explicit Label(Form& parent);

  const std::string& caption() const { return text(); }
  void setCaption(const std::string& value) { setText(value); }

  // Sizing to the text: the width and height of the text on one line, or with word wrap the
  // height at the current width. An empty text measures as one space.
  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool value);
  bool wordWrap() const { return wordWrap_; }
  void setWordWrap(bool value);
  // Transparent labels draw only their text; others fill their rectangle with their colour.
  bool transparent() const { return transparent_; }
  void setTransparent(bool value);

  NotifyEvent OnMouseEnter;
  NotifyEvent OnMouseLeave;

  LRESULT notify(UINT code, WPARAM wParam, LPARAM lParam) override;
  void paint(HDC dc) override;

 private:
  UINT drawFlags() const;
  void adjustBounds();

  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool transparent_ = true;
};

}  // namespace ss
