// Labels: windowless text with a transparent background, sizing to their text, word wrap and
// "&" as a mnemonic prefix ("&&" draws one "&").
#pragma once

#include <string>

#include "gui/control.h"

namespace ss {

// How a label lays out its text: on one line or wrapped at its width; left-aligned, or
// right-aligned in right-to-left reading order.
struct LabelTextStyle {
  bool wordWrap = false;
  bool rightToLeft = false;
};
// The size of a label's text in `font` (an empty text measures as one space): on one line, or
// with word wrap at `width`.
SIZE LabelTextSize(HFONT font, const std::string& text, LabelTextStyle style, int width);
// Draws a label's text into `area` with a transparent background.
void DrawLabelText(HDC dc, HFONT font, Color color, const std::string& text, RECT area,
                   LabelTextStyle style);
// Gives a control sizing itself to its text that size: from its left edge, or from its right
// edge when its text reads right to left.
void SizeToText(Control& control, SIZE size);

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

  LRESULT notify(UINT code, WPARAM wParam, LPARAM lParam) override;
  void paint(HDC dc) override;
  // A static text named by the text it shows; a change of the text is told to screen readers.
  std::optional<AccessibleFacts> accessibleFacts() override;

 private:
  void adjustBounds();

  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool transparent_ = true;
};

}  // namespace ss
