#include "controls/button_rules.h"

#include <algorithm>

#include "core/menu_text.h"

namespace ss {

namespace {

constexpr ButtonLook kNormalOnly[] = {ButtonLook::Normal};
constexpr ButtonLook kMouseOnFallbacks[] = {ButtonLook::MouseOn, ButtonLook::Normal};
constexpr ButtonLook kMouseDownFallbacks[] = {ButtonLook::MouseDown, ButtonLook::Normal};
constexpr ButtonLook kDisabledFallbacks[] = {ButtonLook::Disabled, ButtonLook::Normal};

char32_t FoldLetter(char32_t c) {
  return (c >= U'a' && c <= U'z') ? c - U'a' + U'A' : c;
}

}  // namespace

ButtonLook ChooseLook(bool enabled, bool isMouseDown, bool isMouseOn) {
  if (!enabled) return ButtonLook::Disabled;
  if (isMouseDown) return ButtonLook::MouseDown;
  if (isMouseOn) return ButtonLook::MouseOn;
  return ButtonLook::Normal;
}

std::span<const ButtonLook> PictureFallbacks(ButtonLook look) {
  switch (look) {
    case ButtonLook::MouseOn:
      return kMouseOnFallbacks;
    case ButtonLook::MouseDown:
      return kMouseDownFallbacks;
    case ButtonLook::Disabled:
      return kDisabledFallbacks;
    case ButtonLook::Normal:
      break;
  }
  return kNormalOnly;
}

std::optional<ButtonLook> PictureForLook(ButtonLook look, const std::array<bool, 4>& present) {
  for (ButtonLook candidate : PictureFallbacks(look)) {
    if (present[static_cast<size_t>(candidate)]) return candidate;
  }
  return std::nullopt;
}

std::optional<char32_t> CaptionAccelerator(std::string_view caption) {
  // The same rule as a menu item's mnemonic.
  if (const char32_t mnemonic = MnemonicOf(std::string(caption))) return mnemonic;
  return std::nullopt;
}

bool IsAccelerator(char32_t typed, std::string_view caption) {
  const std::optional<char32_t> accelerator = CaptionAccelerator(caption);
  return accelerator && FoldLetter(*accelerator) == FoldLetter(typed);
}

bool CaptionIsBlank(std::string_view caption) {
  return std::all_of(caption.begin(), caption.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

Offset CentreOffset(int outerWidth, int outerHeight, int innerWidth, int innerHeight) {
  // C++ integer division truncates toward zero, as the centring needs.
  return {(outerWidth - innerWidth) / 2, (outerHeight - innerHeight) / 2};
}

int RepeatInterval(int mouseContinuouslyDownInterval) {
  return std::max(mouseContinuouslyDownInterval, 0);
}

bool IsPressKey(unsigned key) {
  return key == kKeySpace || key == kKeyReturn;
}

void ApplyTimerEffects(const ButtonEffects& effects, ButtonEffectsTarget& button) {
  if (effects.freeTimer) button.freeRepeatTimer();
  if (effects.startTimer && !button.hasRepeatTimer()) button.createRepeatTimer();
}

void ApplyEffects(const ButtonEffects& effects, ButtonEffectsTarget& button) {
  ApplyTimerEffects(effects, button);
  if (effects.repaint) button.repaintButton();
  if (effects.click) button.runClick();
}

ButtonEffects ButtonState::mouseEnter() {
  isMouseOn_ = true;
  return {.repaint = true};
}

ButtonEffects ButtonState::mouseLeave() {
  isMouseOn_ = false;
  isMouseDown_ = false;
  return {.freeTimer = true, .repaint = true};
}

ButtonEffects ButtonState::cancelMode() {
  return mouseLeave();
}

ButtonEffects ButtonState::leftPress() {
  isMouseDown_ = true;
  return {.startTimer = true, .repaint = true};
}

ButtonEffects ButtonState::move(int x, int y, int width, int height) {
  if (!OutsideForMove(x, y, width, height)) return {};
  // The timer is left alone: the pointer-leave notification that follows stops it.
  isMouseOn_ = false;
  isMouseDown_ = false;
  return {.repaint = true};
}

ButtonEffects ButtonState::clickBegins() {
  if (!isMouseDown_) return {};
  isMouseDown_ = false;
  return {.freeTimer = true, .repaint = true};
}

ButtonEffects ButtonState::leftRelease() {
  return {.freeTimer = true};
}

ButtonEffects ButtonState::keyDown(unsigned key, bool focused, bool enabled) {
  if (!IsPressKey(key) || !focused || !enabled) return {};
  isMouseDown_ = true;
  return {.repaint = true};
}

ButtonEffects ButtonState::keyUp(unsigned key, bool focused, bool enabled) {
  if (!IsPressKey(key) || !focused || !isMouseDown_ || !enabled) return {};
  // IsMouseDown clears before the click, so the click leaves a mouse press's timer running.
  isMouseDown_ = false;
  return {.repaint = true, .click = true};
}

}  // namespace ss
