#include "controls/button_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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

// A button for the rules to act on: it keeps the repeat timer and counts clicks, and logs what
// the rules asked of it, in order. Its click operation starts as the button's does.
struct FakeButton : ButtonEffectsTarget {
  ButtonState state;
  bool timer = false;
  int clicks = 0;
  std::vector<std::string> log;

  bool hasRepeatTimer() const override { return timer; }
  void createRepeatTimer() override {
    timer = true;
    log.push_back("create timer");
  }
  void freeRepeatTimer() override {
    timer = false;
    log.push_back("free timer");
  }
  void repaintButton() override { log.push_back("repaint"); }
  void runClick() override {
    log.push_back("click");
    ApplyEffects(state.clickBegins(), *this);
    ++clicks;
  }
  void apply(ButtonEffects effects) { ApplyEffects(effects, *this); }
  // A left release inside the button with the clicked mark.
  void releaseInside() {
    runClick();
    apply(state.leftRelease());
  }
  L look() const { return state.look(true); }
  // What the rules asked since the last call.
  std::vector<std::string> asked() { return std::exchange(log, {}); }
};

using Asked = std::vector<std::string>;

TEST(ButtonTransitions, DraggingOutShowsNormalAndBackInShowsMouseOn) {
  FakeButton p;
  p.apply(p.state.mouseEnter());
  p.apply(p.state.leftPress());
  EXPECT_EQ(p.look(), L::MouseDown);
  EXPECT_TRUE(p.timer);
  p.apply(p.state.move(75, 21, 75, 21));  // the far edge still counts as inside
  EXPECT_EQ(p.look(), L::MouseDown);
  p.apply(p.state.move(80, 5, 75, 21));
  EXPECT_EQ(p.look(), L::Normal);
  EXPECT_TRUE(p.timer);  // until the leave notification
  p.asked();
  p.apply(p.state.mouseLeave());
  EXPECT_FALSE(p.timer);
  EXPECT_EQ(p.asked(), (Asked{"free timer", "repaint"}));
  p.apply(p.state.mouseEnter());
  EXPECT_EQ(p.look(), L::MouseOn);
  p.releaseInside();
  EXPECT_EQ(p.clicks, 1);
  EXPECT_EQ(p.look(), L::MouseOn);
}

TEST(ButtonTransitions, PressOnTheFocusedButtonEndsInTheNormalLook) {
  FakeButton p;
  p.apply(p.state.mouseEnter());
  p.apply(p.state.cancelMode());  // the framework cancels the focused control: this one
  p.apply(p.state.leftPress());
  p.apply(p.state.leftPress());  // a second press keeps the running timer
  EXPECT_EQ(p.asked(),
            (Asked{"repaint", "free timer", "repaint", "create timer", "repaint", "repaint"}));
  p.releaseInside();
  // The click operation ends the press before the release frees the timer once more.
  EXPECT_EQ(p.asked(), (Asked{"click", "free timer", "repaint", "free timer"}));
  EXPECT_EQ(p.clicks, 1);
  EXPECT_EQ(p.look(), L::Normal);
  EXPECT_FALSE(p.timer);
}

TEST(ButtonTransitions, SpaceAndReturnPressAndClickInterchangeably) {
  FakeButton p;
  p.apply(p.state.keyDown(kKeySpace, true, true));
  p.apply(p.state.keyDown(kKeySpace, true, true));  // auto-repeat
  EXPECT_EQ(p.look(), L::MouseDown);
  EXPECT_FALSE(p.timer);  // the keyboard press starts no repeat
  p.asked();
  p.apply(p.state.keyUp(kKeyReturn, true, true));
  EXPECT_EQ(p.asked(), (Asked{"repaint", "click"}));  // the released look shows before the click
  p.apply(p.state.keyUp(kKeySpace, true, true));      // no longer down: no second click
  EXPECT_EQ(p.clicks, 1);
  EXPECT_EQ(p.look(), L::Normal);
  // Disabled or unfocused buttons ignore the keys; other keys do nothing.
  EXPECT_EQ(p.state.keyDown(kKeySpace, true, false), ButtonEffects{});
  EXPECT_EQ(p.state.keyDown(kKeyReturn, false, true), ButtonEffects{});
  EXPECT_EQ(p.state.keyDown('A', true, true), ButtonEffects{});
  EXPECT_FALSE(p.state.isMouseDown());
}

TEST(ButtonTransitions, SpaceReleasedWhileTheMouseHoldsClicksTwice) {
  FakeButton p;
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
