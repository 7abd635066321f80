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

int ArrowKeyStep(unsigned key, bool rightToLeft) {
  switch (key) {
    case kKeyUp:
      return -1;
    case kKeyDown:
      return 1;
    case kKeyLeft:
      return rightToLeft ? 1 : -1;
    case kKeyRight:
      return rightToLeft ? -1 : 1;
    default:
      return 0;
  }
}

int MirroredLeft(int containerWidth, int left, int width) {
  return containerWidth - left - width;
}

bool ReadsBefore(const ReadingPlace& a, const ReadingPlace& b, bool rightToLeft) {
  if (a.top != b.top) return a.top < b.top;
  return rightToLeft ? a.right > b.right : a.left < b.left;
}

}  // namespace ss
