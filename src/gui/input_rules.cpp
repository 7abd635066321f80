#include "gui/input_rules.h"

namespace ss {

bool OutsideForMove(int x, int y, int width, int height) {
  return x < 0 || y < 0 || x > width || y > height;
}

bool InsideForClick(int x, int y, int width, int height) {
  return x >= 0 && y >= 0 && x < width && y < height;
}

bool DialogKeyClicks(unsigned key, bool isDefaultActive, bool cancel, bool modifierHeld,
                     bool canFocus) {
  const bool wanted = (key == kKeyReturn && isDefaultActive) || (key == kKeyEscape && cancel);
  return wanted && !modifierHeld && canFocus;
}

}  // namespace ss
