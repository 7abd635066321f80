// The framework's input rules that need no window: the hit tests of a press and of a move, when a
// dialog key clicks a button, and how a right-to-left layout places, reads and steps through its
// controls. Platform-free, built into the host tree as well.
#pragma once

#include <cstdint>

namespace ss {

// The move test: only points left of or above the control, or beyond its width or height, are
// outside; the column x = width and the row y = height count as inside.
bool OutsideForMove(int x, int y, int width, int height);
// The click test of a release: left and top edges inside, right and bottom edges outside.
bool InsideForClick(int x, int y, int width, int height);

// Virtual key codes and key-data bits the framework looks at.
inline constexpr unsigned kKeyReturn = 0x0D;
inline constexpr unsigned kKeyEscape = 0x1B;
inline constexpr unsigned kKeySpace = 0x20;
inline constexpr unsigned kKeyLeft = 0x25;
inline constexpr unsigned kKeyUp = 0x26;
inline constexpr unsigned kKeyRight = 0x27;
inline constexpr unsigned kKeyDown = 0x28;
// Bit 29 of a key message's data: Alt was held (the "context code").
inline constexpr std::uint32_t kKeyDataAlt = 0x20000000u;

// A dialog key clicks a button: Return while it is the default-active one, Escape while it is
// the cancel button, no Shift, Ctrl or Alt held, and the button can take the focus.
bool DialogKeyClicks(unsigned key, bool isDefaultActive, bool cancel, bool modifierHeld,
                     bool canFocus);

// Where an arrow key moves the focus among the tab stops: +1 to the next, -1 to the previous, 0
// for any other key. Up and Left go back, Down and Right on; in a right-to-left layout Left and
// Right follow the screen instead, so Left moves on to the control on the left.
int ArrowKeyStep(unsigned key, bool rightToLeft);

// A control's left edge in a right-to-left layout: mirrored in a container `containerWidth`
// wide, so that its right edge stands where its left edge stood.
int MirroredLeft(int containerWidth, int left, int width);

// Whether a reader meets the control at `a` before the one at `b`: by rows from the top, each row
// from the left, or from the right in a right-to-left layout.
struct ReadingPlace {
  int left, top, right;
};
bool ReadsBefore(const ReadingPlace& a, const ReadingPlace& b, bool rightToLeft);

}  // namespace ss
