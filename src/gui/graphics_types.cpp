#include "gui/graphics_types.h"

#include <cstdint>

#include "core/wide.h"
#include "gui/input_rules.h"

namespace ss {

HFONT CreateFontFromSpec(const FontSpec& font) {
  LOGFONTW lf{};
  lf.lfHeight = font.height;
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = font.underline ? TRUE : FALSE;
  lf.lfCharSet = font.charset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  lstrcpynW(lf.lfFaceName, Wide(font.name).c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

std::optional<MouseButtonMessage> DecodeMouseButtonMessage(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return MouseButtonMessage{MouseButton::Left, true};
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      return MouseButtonMessage{MouseButton::Right, true};
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      return MouseButtonMessage{MouseButton::Middle, true};
    case WM_LBUTTONUP:
      return MouseButtonMessage{MouseButton::Left, false};
    case WM_RBUTTONUP:
      return MouseButtonMessage{MouseButton::Right, false};
    case WM_MBUTTONUP:
      return MouseButtonMessage{MouseButton::Middle, false};
    default:
      return std::nullopt;
  }
}

ShiftState ShiftState::FromMouseFlags(WPARAM flags) {
  ShiftState s;
  s.shift = flags & MK_SHIFT;
  s.ctrl = flags & MK_CONTROL;
  s.left = flags & MK_LBUTTON;
  s.right = flags & MK_RBUTTON;
  s.middle = flags & MK_MBUTTON;
  s.alt = GetKeyState(VK_MENU) < 0;
  return s;
}

ShiftState ShiftState::FromKeyboard() {
  ShiftState s;
  s.shift = GetKeyState(VK_SHIFT) < 0;
  s.ctrl = GetKeyState(VK_CONTROL) < 0;
  s.alt = GetKeyState(VK_MENU) < 0;
  s.left = GetKeyState(VK_LBUTTON) < 0;
  s.right = GetKeyState(VK_RBUTTON) < 0;
  s.middle = GetKeyState(VK_MBUTTON) < 0;
  return s;
}

ShiftState ShiftState::FromKeyData(LPARAM keyData) {
  ShiftState s = FromKeyboard();
  s.alt = (static_cast<std::uint32_t>(keyData) & kKeyDataAlt) != 0;
  return s;
}

}  // namespace ss
