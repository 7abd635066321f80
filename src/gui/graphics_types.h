// Colours, fonts and shift states shared by every control.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ss {

// A colour: 0x00BBGGRR, or a system colour index with the top bit set.
using Color = DWORD;
inline constexpr Color kSystemColorFlag = 0x80000000u;
inline constexpr Color kColorButtonFace = kSystemColorFlag | COLOR_BTNFACE;
inline constexpr Color kColorWindowText = kSystemColorFlag | COLOR_WINDOWTEXT;
inline constexpr Color kColorBlack = 0x000000;
// The About dialog's link colour keeps the name its design gives it.
inline constexpr Color clBlue = 0xFF0000;
inline constexpr Color kColorFuchsia = 0xFF00FF;

// The RGB value of a colour, resolving system colours.
inline COLORREF ColorToRgb(Color color) {
  return (color & kSystemColorFlag) ? GetSysColor(static_cast<int>(color & 0xFF)) : color;
}

// What a control's font is made of; turned into an HFONT on demand.
struct FontSpec {
  std::string name = "Tahoma";
  int height = -11;
  BYTE charset = DEFAULT_CHARSET;
  Color color = kColorWindowText;
  bool bold = false;
  bool underline = false;

  bool operator==(const FontSpec&) const = default;
};

// Creates the HFONT that a FontSpec describes (the caller owns it).
HFONT CreateFontFromSpec(const FontSpec& font);

enum class MouseButton { Left, Right, Middle };

// A mouse-button message decoded: which button, pressed or released. A double click counts as
// a press (no window class of ours asks for double clicks, but the system may send them).
struct MouseButtonMessage {
  MouseButton button;
  bool down;
};
std::optional<MouseButtonMessage> DecodeMouseButtonMessage(UINT message);

// Keys and buttons held with an input event.
struct ShiftState {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool left = false;
  bool right = false;
  bool middle = false;

  // From the MK_ flags of a mouse message, with Alt read from the keyboard.
  static ShiftState FromMouseFlags(WPARAM flags);
  // From the keyboard's state at the time of the current message.
  static ShiftState FromKeyboard();
  // For a key message: Shift and Ctrl from the keyboard's state at the time of the message, Alt
  // from the message's own data (its context bit).
  static ShiftState FromKeyData(LPARAM keyData);
  bool modifierHeld() const { return shift || ctrl || alt; }
};

}  // namespace ss
