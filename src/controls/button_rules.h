// The image button's rules that need no window: its looks and their pictures, the accelerator
// of a caption, the caption's centring and the transitions of its two flags (the hit tests and
// the dialog-key rule are the framework's, in gui/input_rules.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "gui/input_rules.h"

namespace ss {

// The four looks of a button; also the index of the picture that belongs to each look.
enum class ButtonLook { Normal = 0, MouseOn = 1, MouseDown = 2, Disabled = 3 };

// The look shown at a paint: disabled over pressed over mouse-on over normal.
ButtonLook ChooseLook(bool enabled, bool isMouseDown, bool isMouseOn);

// The pictures a look tries, in order: its own, then the normal one.
std::span<const ButtonLook> PictureFallbacks(ButtonLook look);

// Which of the four pictures (indexed by ButtonLook) a look shows: the first present one of its
// fallbacks, or nothing when all of them are empty.
std::optional<ButtonLook> PictureForLook(ButtonLook look, const std::array<bool, 4>& present);

// The accelerator of a caption (UTF-8): the character after its last single "&". "&&" stands
// for a literal ampersand and a "&" at the very end marks nothing.
std::optional<char32_t> CaptionAccelerator(std::string_view caption);

// A typed character matches the caption's accelerator: a-z regardless of case, others exactly.
bool IsAccelerator(char32_t typed, std::string_view caption);

// A caption of nothing but characters 0 to 32 is not drawn.
bool CaptionIsBlank(std::string_view caption);

struct Offset {
  int dx = 0;
  int dy = 0;
  bool operator==(const Offset&) const = default;
};
// How far a measured text block moves to sit centred in an outer rectangle; each half is
// truncated toward zero, so a block wider than the rectangle moves left by the smaller half.
Offset CentreOffset(int outerWidth, int outerHeight, int innerWidth, int innerHeight);

// The repeat timer's interval: negative intervals become 0, and a timer of 0 never ticks.
int RepeatInterval(int mouseContinuouslyDownInterval);

// Space and Return press and release the focused button.
bool IsPressKey(unsigned key);

// What a transition asks of the button besides its new flags, to be done in this order: create
// the repeat timer unless one exists or free it, repaint, run the click operation.
struct ButtonEffects {
  bool startTimer = false;
  bool freeTimer = false;
  bool repaint = false;
  bool click = false;
  bool operator==(const ButtonEffects&) const = default;
};

// What carrying out a transition's effects asks of a button.
class ButtonEffectsTarget {
 public:
  virtual bool hasRepeatTimer() const = 0;
  virtual void createRepeatTimer() = 0;
  virtual void freeRepeatTimer() = 0;
  virtual void repaintButton() = 0;
  // The click operation (its first step is ButtonState::clickBegins).
  virtual void runClick() = 0;

 protected:
  ~ButtonEffectsTarget() = default;
};

// Carries out the timer's part of a transition: free the repeat timer, or create it unless one
// exists.
void ApplyTimerEffects(const ButtonEffects& effects, ButtonEffectsTarget& button);
// Carries out all of a transition's effects in their order: the timer's part, the repaint, the
// click operation.
void ApplyEffects(const ButtonEffects& effects, ButtonEffectsTarget& button);

// The pointer and press flags of a button and the input that changes them.
class ButtonState {
 public:
  bool isMouseOn() const { return isMouseOn_; }
  bool isMouseDown() const { return isMouseDown_; }
  ButtonLook look(bool enabled) const { return ChooseLook(enabled, isMouseDown_, isMouseOn_); }

  // The pointer entered the button (whether or not it is enabled).
  ButtonEffects mouseEnter();
  // The pointer left it, or the framework cancelled a press mode: both flags clear and the
  // repeat stops.
  ButtonEffects mouseLeave();
  ButtonEffects cancelMode();
  // A left press on the button (the timer keeps running if it already exists).
  ButtonEffects leftPress();
  // A pointer move in client coordinates; leaving the rectangle clears both flags.
  ButtonEffects move(int x, int y, int width, int height);
  // The first step of the click operation: a press still shown ends here.
  ButtonEffects clickBegins();
  // The left button came up. A repeat still running now (its press was already ended by a key)
  // stops: the button is no longer held.
  ButtonEffects leftRelease();
  // Space or Return down or up.
  ButtonEffects keyDown(unsigned key, bool focused, bool enabled);
  ButtonEffects keyUp(unsigned key, bool focused, bool enabled);

 private:
  bool isMouseOn_ = false;
  bool isMouseDown_ = false;
};

}  // namespace ss
