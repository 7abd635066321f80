// The framework's input rules that need no window: the hit tests of a press and of a move, and
// when a dialog key clicks a button. Platform-free, built into the host tree as well.
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
// Bit 29 of a key message's data: Alt was held (the "context code").
inline constexpr std::uint32_t kKeyDataAlt = 0x20000000u;

// A dialog key clicks a button: Return while it is the default-active one, Escape while it is
// the cancel button, no Shift, Ctrl or Alt held, and the button can take the focus.
bool DialogKeyClicks(unsigned key, bool isDefaultActive, bool cancel, bool modifierHeld,
                     bool canFocus);

}  // namespace ss
