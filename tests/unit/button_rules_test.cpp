#include "controls/button_rules.h"

#include <gtest/gtest.h>

namespace ss {
namespace {

using L = ButtonLook;

TEST(ButtonLooks, DisabledWinsOverPressedOverMouseOn) {
  EXPECT_EQ(ChooseLook(false, true, true), L::Disabled);
  EXPECT_EQ(ChooseLook(true, true, true), L::MouseDown);
  EXPECT_EQ(ChooseLook(true, true, false), L::MouseDown);
  EXPECT_EQ(ChooseLook(true, false, true), L::MouseOn);
  EXPECT_EQ(ChooseLook(true, false, false), L::Normal);
}

TEST(ButtonLooks, EveryLookFallsBackToTheNormalPictureOnly) {
  const std::array<bool, 4> onlyNormal{true, false, false, false};
  for (L look : {L::Normal, L::MouseOn, L::MouseDown, L::Disabled}) {
    EXPECT_EQ(PictureForLook(look, onlyNormal), L::Normal);
  }
  // Mouse-on without a normal picture: the normal look shows no picture at all.
  const std::array<bool, 4> onlyMouseOn{false, true, false, false};
  EXPECT_EQ(PictureForLook(L::Normal, onlyMouseOn), std::nullopt);
  EXPECT_EQ(PictureForLook(L::MouseOn, onlyMouseOn), L::MouseOn);
  EXPECT_EQ(PictureForLook(L::MouseDown, onlyMouseOn), std::nullopt);
  EXPECT_EQ(PictureForLook(L::Disabled, onlyMouseOn), std::nullopt);
  // A look never borrows another look's own picture.
  const std::array<bool, 4> all{true, true, true, true};
  EXPECT_EQ(PictureForLook(L::Disabled, all), L::Disabled);
  EXPECT_EQ(PictureForLook(L::MouseDown, {false, true, false, true}), std::nullopt);
}

TEST(CaptionAccelerators, LastSingleAmpersandMarksTheNextCharacter) {
  EXPECT_EQ(CaptionAccelerator("&Open"), 'O');
  EXPECT_EQ(CaptionAccelerator("Save &as"), 'a');
  EXPECT_EQ(CaptionAccelerator("&One &Two"), 'T');
  EXPECT_EQ(CaptionAccelerator("&&"), std::nullopt);
  EXPECT_EQ(CaptionAccelerator("Fish && Chips"), std::nullopt);
  EXPECT_EQ(CaptionAccelerator("&&&O"), 'O');
  EXPECT_EQ(CaptionAccelerator("&O&&"), 'O');
  EXPECT_EQ(CaptionAccelerator("Open&"), std::nullopt);
  EXPECT_EQ(CaptionAccelerator("&&&"), std::nullopt);
  EXPECT_EQ(CaptionAccelerator(""), std::nullopt);
  EXPECT_EQ(CaptionAccelerator("&1"), '1');
}

TEST(CaptionAccelerators, LettersMatchWithoutCaseOtherCharactersExactly) {
  EXPECT_TRUE(IsAccelerator('o', "&Open"));
  EXPECT_TRUE(IsAccelerator('O', "&open"));
  EXPECT_FALSE(IsAccelerator('p', "&Open"));
  EXPECT_FALSE(IsAccelerator('&', "&&"));
  EXPECT_TRUE(IsAccelerator('[', "&["));
  EXPECT_FALSE(IsAccelerator('{', "&["));  // '[' and '{' differ by the case bit but are no letters
  EXPECT_FALSE(IsAccelerator('\xE4', "&\xC4"));
}

TEST(ButtonCaption, BlankCaptionsAndCentring) {
  EXPECT_TRUE(CaptionIsBlank(""));
  EXPECT_TRUE(CaptionIsBlank(" \t\r\n\x01 "));
  EXPECT_FALSE(CaptionIsBlank("  x "));
  EXPECT_FALSE(CaptionIsBlank("\x80"));
  EXPECT_EQ(CentreOffset(75, 21, 30, 13), (Offset{22, 4}));
  // A block wider than the rectangle moves left by the smaller half (truncation toward zero).
  EXPECT_EQ(CentreOffset(10, 10, 13, 15), (Offset{-1, -2}));
}

TEST(ButtonTimer, NegativeIntervalsBecomeZero) {
  EXPECT_EQ(RepeatInterval(100), 100);
  EXPECT_EQ(RepeatInterval(0), 0);
  EXPECT_EQ(RepeatInterval(-5), 0);
}

// Plays input into a ButtonState the way the control does: the timer exists between a start
// and a free, and a click runs the click operation's first step.
struct Player {
  ButtonState state;
  bool timer = false;
  int clicks = 0;
  int repaints = 0;

  void apply(ButtonEffects effects) {
    if (effects.startTimer) timer = true;
    if (effects.freeTimer) timer = false;
    if (effects.repaint) ++repaints;
    if (effects.click) click();
  }
  void click() {
    apply(state.clickBegins());
    ++clicks;
  }
  // A left release inside the button with the clicked mark.
  void releaseInside() {
    click();
    apply(state.leftRelease());
  }
  L look() const { return state.look(true); }
};

TEST(ButtonTransitions, DraggingOutShowsNormalAndBackInShowsMouseOn) {
  Player p;
  p.apply(p.state.mouseEnter());
  p.apply(p.state.leftPress());
  EXPECT_EQ(p.look(), L::MouseDown);
  EXPECT_TRUE(p.timer);
  p.apply(p.state.move(75, 21, 75, 21));  // the far edge still counts as inside
  EXPECT_EQ(p.look(), L::MouseDown);
  p.apply(p.state.move(80, 5, 75, 21));
  EXPECT_EQ(p.look(), L::Normal);
  EXPECT_TRUE(p.timer);  // until the leave notification
  p.apply(p.state.mouseLeave());
  EXPECT_FALSE(p.timer);
  p.apply(p.state.mouseEnter());
  EXPECT_EQ(p.look(), L::MouseOn);
  p.releaseInside();
  EXPECT_EQ(p.clicks, 1);
  EXPECT_EQ(p.look(), L::MouseOn);
}

TEST(ButtonTransitions, PressOnTheFocusedButtonEndsInTheNormalLook) {
  Player p;
  p.apply(p.state.mouseEnter());
  p.apply(p.state.cancelMode());  // the framework cancels the focused control: this one
  p.apply(p.state.leftPress());
  p.releaseInside();
  EXPECT_EQ(p.clicks, 1);
  EXPECT_EQ(p.look(), L::Normal);
  EXPECT_FALSE(p.timer);
}

TEST(ButtonTransitions, SpaceAndReturnPressAndClickInterchangeably) {
  Player p;
  p.apply(p.state.keyDown(kKeySpace, true, true));
  p.apply(p.state.keyDown(kKeySpace, true, true));  // auto-repeat
  EXPECT_EQ(p.look(), L::MouseDown);
  EXPECT_FALSE(p.timer);  // the keyboard press starts no repeat
  p.apply(p.state.keyUp(kKeyReturn, true, true));
  p.apply(p.state.keyUp(kKeySpace, true, true));  // no longer down: no second click
  EXPECT_EQ(p.clicks, 1);
  EXPECT_EQ(p.look(), L::Normal);
  // Disabled or unfocused buttons ignore the keys; other keys do nothing.
  EXPECT_EQ(p.state.keyDown(kKeySpace, true, false), ButtonEffects{});
  EXPECT_EQ(p.state.keyDown(kKeyReturn, false, true), ButtonEffects{});
  EXPECT_EQ(p.state.keyDown('A', true, true), ButtonEffects{});
  EXPECT_FALSE(p.state.isMouseDown());
}

TEST(ButtonTransitions, SpaceReleasedWhileTheMouseHoldsClicksTwice) {
  Player p;
  p.apply(p.state.mouseEnter());
  p.apply(p.state.leftPress());
  p.apply(p.state.keyDown(kKeySpace, true, true));
  p.apply(p.state.keyUp(kKeySpace, true, true));
  EXPECT_EQ(p.clicks, 1);
  EXPECT_TRUE(p.timer);  // the repeat goes on while the mouse still holds the button
  p.releaseInside();
  EXPECT_EQ(p.clicks, 2);
  EXPECT_FALSE(p.timer);  // and ends with the release
}

}  // namespace
}  // namespace ss
