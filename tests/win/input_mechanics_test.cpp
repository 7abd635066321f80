// Image buttons driven by real input under Wine: pointer tracking, presses and clicks, the
// repeat timer, keys, dialog keys, accelerators and focus movement.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "controls/image_button.h"
#include "gui/label.h"
#include "gui/timer.h"
#include "input_support.h"

namespace ss {
namespace {

using test::MouseButton;
using test::PumpUntil;

constexpr COLORREF kNormal = 0x2020C0;
constexpr COLORREF kMouseOn = 0xC02020;
constexpr COLORREF kDown = 0x20C0C0;

// A focusable windowed control that is no image button.
class Field : public CustomControl {
 public:
  explicit Field(Form& form) : CustomControl(form) {
    setTabStop(true);
    createHandle("SuiteStartTestField");
  }
};

// An image button with three pictures that logs the notifications reaching it and its events,
// each event with the look its window shows at that moment.
class Probe : public TImageButton {
 public:
  Probe(Form& form, std::string name, std::vector<std::string>& log,
        std::map<LPARAM, std::string>& names)
      : TImageButton(form), name_(std::move(name)), log_(log), names_(names) {
    names_[reinterpret_cast<LPARAM>(static_cast<Control*>(this))] = name_;
    const Picture normal = test::SolidPicture(75, 21, kNormal);
    const Picture on = test::SolidPicture(75, 21, kMouseOn);
    const Picture down = test::SolidPicture(75, 21, kDown);
    setPicNormal(&normal);
    setPicMouseOn(&on);
    setPicMouseDown(&down);
    OnMouseEnter = [this](Control&) { event("OnMouseEnter"); };
    OnMouseExit = [this](Control&) { event("OnMouseExit"); };
    OnClick = [this](Control&) { event("OnClick"); };
    OnMouseDown = [this](Control&, ss::MouseButton, ShiftState, int, int) { event("OnMouseDown"); };
    OnMouseUp = [this](Control&, ss::MouseButton, ShiftState, int, int) { event("OnMouseUp"); };
    OnMouseContinuouslyDown = [this](Control&) { ++ticks; };
  }

  LRESULT notify(UINT code, WPARAM wParam, LPARAM lParam) override {
    if (code == NotifyMouseEnter) log_.push_back(name_ + ":enter");
    if (code == NotifyMouseLeave) log_.push_back(name_ + ":leave");
    if (code == NotifyCancelMode) log_.push_back(name_ + ":cancel(" + names_[lParam] + ")");
    if (code == NotifyFocusChanged) log_.push_back(name_ + ":focus(" + names_[lParam] + ")");
    return TImageButton::notify(code, wParam, lParam);
  }

  // The look on the screen now.
  std::string look() const {
    switch (test::OnScreen(handle()).pixel(60, 18)) {
      case kNormal:
        return "normal";
      case kMouseOn:
        return "on";
      case kDown:
        return "down";
      default:
        return "?";
    }
  }
  int count(const std::string& event) const {
    return static_cast<int>(std::count_if(log_.begin(), log_.end(), [&](const std::string& e) {
      return e.starts_with(name_ + "." + event);
    }));
  }

  int ticks = 0;

 private:
  void event(const char* what) { log_.push_back(name_ + "." + what + "[" + look() + "]"); }

  std::string name_;
  std::vector<std::string>& log_;
  std::map<LPARAM, std::string>& names_;
};

class ButtonInput : public testing::Test {
 protected:
  void SetUp() override { form.showActive(); }
  void TearDown() override { test::ReleaseInput(); }

  Probe& add(const std::string& name, int left, int top = 20) {
    buttons.push_back(std::make_unique<Probe>(form, name, log, names));
    buttons.back()->setBounds(left, top, 75, 21);
    return *buttons.back();
  }
  void moveOnto(const Control& control, int x = 10, int y = 10) {
    test::MouseTo(form.screenPoint(control, x, y));
  }
  void moveAway() { test::MouseTo(POINT{form.left() + 380, form.top() + 140}); }
  bool waitFor(const std::string& entry) {
    return PumpUntil([&] { return std::find(log.begin(), log.end(), entry) != log.end(); });
  }
  bool waitForPrefix(const std::string& prefix) {
    return PumpUntil([&] {
      return std::any_of(log.begin(), log.end(),
                         [&](const std::string& e) { return e.starts_with(prefix); });
    });
  }
  // The log entries that contain any of the given parts.
  std::vector<std::string> only(std::initializer_list<const char*> parts) const {
    std::vector<std::string> kept;
    for (const std::string& e : log) {
      if (std::any_of(parts.begin(), parts.end(),
                      [&](const char* p) { return e.find(p) != std::string::npos; })) {
        kept.push_back(e);
      }
    }
    return kept;
  }

  test::TestForm form;
  std::vector<std::string> log;
  std::map<LPARAM, std::string> names{{0, "none"}};
  std::vector<std::unique_ptr<Probe>> buttons;
};

TEST_F(ButtonInput, FollowsThePointerPressesAndClicksShowingEachLookBeforeItsEvent) {
  Probe& a = add("a", 20);
  Probe& b = add("b", 120);
  b.setModalResult(7);
  a.setFocus();
  moveOnto(b);
  ASSERT_TRUE(waitForPrefix("b.OnMouseEnter"));
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(waitForPrefix("b.OnMouseUp"));
  EXPECT_EQ(form.modalResult(), 7);
  moveAway();
  ASSERT_TRUE(waitForPrefix("b.OnMouseExit"));
  // The first press on a button without the focus keeps the mouse-on look after the click.
  EXPECT_EQ(
      only({"b.", "cancel"}),
      (std::vector<std::string>{"b.OnMouseEnter[on]", "a:cancel(b)", "b.OnMouseDown[down]",
                                "b.OnClick[on]", "b.OnMouseUp[on]", "b.OnMouseExit[normal]"}));
  EXPECT_TRUE(b.focused());
  ASSERT_GE(form.forwarded.size(), 2u);
  EXPECT_EQ(form.forwarded.front(),
            std::make_pair(NotifyMouseEnter, reinterpret_cast<LPARAM>(static_cast<Control*>(&b))));

  // A press on the focused button cancels that same button first: it ends in the normal look.
  log.clear();
  b.setModalResult(0);
  moveOnto(b);
  ASSERT_TRUE(waitForPrefix("b.OnMouseEnter"));
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(waitForPrefix("b.OnMouseUp"));
  EXPECT_EQ(only({"b.", "b:cancel"}),
            (std::vector<std::string>{"b.OnMouseEnter[on]", "b:cancel(b)", "b.OnMouseDown[down]",
                                      "b.OnClick[normal]", "b.OnMouseUp[normal]"}));
  EXPECT_EQ(form.modalResult(), 0);
  EXPECT_FALSE(b.IsMouseOn());
  EXPECT_EQ(a.count("OnClick"), 0);
}

TEST_F(ButtonInput, RepeatsWhileHeldAndStopsWhenThePointerLeaves) {
  Probe& b = add("b", 20);
  b.setMouseContinuouslyDownInterval(30);
  moveOnto(b);
  ASSERT_TRUE(waitFor("b:enter"));
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return b.ticks >= 3; }));
  EXPECT_EQ(b.count("OnClick"), 0);
  EXPECT_EQ(b.look(), "down");
  // Dragged out: the normal look at once, the repeat ends with the leave notification.
  moveOnto(b, 150, 10);
  ASSERT_TRUE(PumpUntil([&] { return b.RepeatTimer() == nullptr; }));
  EXPECT_EQ(b.look(), "normal");
  const int held = b.ticks;
  test::PumpTicks(4, 30);
  EXPECT_EQ(b.ticks, held);
  // Back in: the mouse-on look, not the pressed one; the release still clicks.
  moveOnto(b);
  ASSERT_TRUE(PumpUntil([&] { return b.IsMouseOn(); }));
  EXPECT_EQ(b.look(), "on");
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(waitForPrefix("b.OnClick"));
}

TEST_F(ButtonInput, SpaceReleasedDuringAMousePressClicksAndTheRepeatEndsWithTheMouse) {
  Probe& b = add("b", 20);
  b.setMouseContinuouslyDownInterval(30);
  moveOnto(b);
  ASSERT_TRUE(waitFor("b:enter"));
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return b.focused() && b.IsMouseDown(); }));
  test::KeyTap(VK_SPACE);
  ASSERT_TRUE(waitForPrefix("b.OnClick"));
  const int atKeyClick = b.ticks;
  ASSERT_TRUE(PumpUntil([&] { return b.ticks > atKeyClick; }));  // still repeating
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return b.count("OnClick") == 2; }));
  EXPECT_EQ(b.RepeatTimer(), nullptr);
  const int released = b.ticks;
  test::PumpTicks(4, 30);
  EXPECT_EQ(b.ticks, released);
}

TEST_F(ButtonInput, IntervalZeroKeepsATimerThatNeverTicks) {
  Probe& b = add("b", 20);
  b.setMouseContinuouslyDownInterval(0);
  SendMessageA(b.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ASSERT_NE(b.RepeatTimer(), nullptr);
  EXPECT_FALSE(b.RepeatTimer()->running());
  test::PumpTicks(5, 20);
  EXPECT_EQ(b.ticks, 0);
  SendMessageA(b.handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(b.RepeatTimer(), nullptr);
}

TEST_F(ButtonInput, EnterAndLeaveGoLeaveFirstAndOnlyToTheCapturingControl) {
  Probe& a = add("a", 20);
  Probe& b = add("b", 95);  // adjacent: the pointer goes straight from a to b
  moveOnto(a);
  ASSERT_TRUE(waitFor("a:enter"));
  moveOnto(b, 2);
  ASSERT_TRUE(waitFor("b:enter"));
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  moveOnto(a);
  ASSERT_TRUE(waitFor("b:leave"));
  test::PumpTicks(3, 20);
  moveOnto(b);
  ASSERT_TRUE(PumpUntil([&] { return b.IsMouseOn(); }));
  moveOnto(a);
  ASSERT_TRUE(PumpUntil([&] { return !b.IsMouseOn(); }));
  MouseButton(MOUSEEVENTF_LEFTUP);  // released over a: no click, and a hears of the pointer now
  ASSERT_TRUE(PumpUntil([&] { return a.IsMouseOn(); }));
  EXPECT_EQ(only({":enter", ":leave"}),
            (std::vector<std::string>{"a:enter", "a:leave", "b:enter", "b:leave", "b:enter",
                                      "b:leave", "a:enter"}));
  EXPECT_EQ(b.count("OnClick"), 0);
}

TEST_F(ButtonInput, ReleaseOnTheRightEdgeColumnDoesNotClickAndRightPressesOnlyReport) {
  Probe& a = add("a", 120);
  Probe& b = add("b", 20);
  a.setFocus();
  SendMessageA(b.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(b.handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(75, 10));
  EXPECT_TRUE(b.IsMouseDown());  // x = Width is inside for the move test
  SendMessageA(b.handle(), WM_LBUTTONUP, 0, MAKELPARAM(75, 10));
  EXPECT_EQ(b.count("OnClick"), 0);  // and outside for the click
  EXPECT_EQ(b.count("OnMouseUp"), 1);
  SendMessageA(b.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(b.handle(), WM_LBUTTONUP, 0, MAKELPARAM(74, 20));
  EXPECT_EQ(b.count("OnClick"), 1);

  a.setFocus();
  log.clear();
  SendMessageA(b.handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(log, (std::vector<std::string>{"b.OnMouseDown[normal]"}));
  EXPECT_NE(GetCapture(), b.handle());
  EXPECT_FALSE(b.IsMouseDown());
  SendMessageA(b.handle(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(b.count("OnClick"), 0);
}

TEST_F(ButtonInput, AWindowlessControlClicksByTheSameEdgeRule) {
  Label label(form);
  label.setAutoSize(false);
  label.setBounds(200, 60, 40, 15);
  int clicks = 0;
  label.OnClick = [&](Control&) { ++clicks; };
  auto pressAndRelease = [&](int releaseX) {
    SendMessageA(form.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(205, 65));
    SendMessageA(form.handle(), WM_LBUTTONUP, 0, MAKELPARAM(releaseX, 65));
  };
  pressAndRelease(240);  // the column x = Width lies outside
  EXPECT_EQ(clicks, 0);
  pressAndRelease(239);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonInput, DoubleClickGivesTwoPressesAndTwoClicks) {
  Probe& b = add("b", 20);
  EXPECT_EQ(GetClassLongA(b.handle(), GCL_STYLE) & CS_DBLCLKS, 0u);
  moveOnto(b);
  ASSERT_TRUE(waitFor("b:enter"));
  for (int i = 0; i < 2; ++i) {
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    MouseButton(MOUSEEVENTF_LEFTUP);
  }
  ASSERT_TRUE(PumpUntil([&] { return b.count("OnClick") == 2; }));
  EXPECT_EQ(b.count("OnMouseDown"), 2);
}

TEST_F(ButtonInput, SpaceAndReturnPressAndClickTheFocusedButton) {
  Probe& b = add("b", 20);
  b.setFocus();
  for (int i = 0; i < 3; ++i) test::KeyDown(VK_SPACE);  // auto-repeat keeps the press
  ASSERT_TRUE(PumpUntil([&] { return b.IsMouseDown(); }));
  EXPECT_EQ(b.look(), "down");
  test::KeyUp(VK_RETURN);  // interchangeable while no button is the default
  ASSERT_TRUE(waitForPrefix("b.OnClick"));
  test::KeyUp(VK_SPACE);
  test::KeyTap(VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return b.count("OnClick") == 2; }));
  EXPECT_EQ(b.look(), "normal");
  EXPECT_EQ(b.RepeatTimer(), nullptr);  // the keyboard starts no repeat
}

TEST_F(ButtonInput, DialogKeysAndAcceleratorsClickTheRightButton) {
  Probe& plain = add("plain", 20);
  Probe& first = add("first", 100);
  Probe& second = add("second", 180);
  Probe& cancel = add("cancel", 260);
  Probe& open = add("open", 20, 60);
  first.setDefault(true);
  second.setDefault(true);
  cancel.setCancel(true);
  open.setCaption("&Open");
  Field field(form);
  field.setBounds(100, 60, 40, 20);
  plain.setFocus();

  test::KeyTap(VK_RETURN);  // the first default button the form offers the key to
  ASSERT_TRUE(waitForPrefix("first.OnClick"));
  test::KeyTap(VK_ESCAPE);
  ASSERT_TRUE(waitForPrefix("cancel.OnClick"));
  test::KeyDown(VK_SHIFT);  // with Shift, Return is the focused button's own key
  test::KeyTap(VK_RETURN);
  test::KeyUp(VK_SHIFT);
  ASSERT_TRUE(waitForPrefix("plain.OnClick"));
  first.setEnabled(false);  // a disabled button takes no dialog key
  test::KeyTap(VK_RETURN);
  ASSERT_TRUE(waitForPrefix("second.OnClick"));

  test::KeyTap('O');  // the focus is on an image button: no Alt needed
  ASSERT_TRUE(waitForPrefix("open.OnClick"));
  field.setFocus();
  test::KeyTap('O');
  test::PumpTicks(3, 20);
  EXPECT_EQ(open.count("OnClick"), 1);
  test::KeyDown(VK_MENU);
  test::KeyTap('O');
  test::KeyUp(VK_MENU);
  ASSERT_TRUE(PumpUntil([&] { return open.count("OnClick") == 2; }));
  open.setEnabled(false);
  test::KeyDown(VK_MENU);
  test::KeyTap('O');
  test::KeyUp(VK_MENU);
  test::PumpTicks(3, 20);
  EXPECT_EQ(open.count("OnClick"), 2);
  EXPECT_EQ(first.count("OnClick") + second.count("OnClick") + plain.count("OnClick"), 3);
}

TEST_F(ButtonInput, TabShiftTabAndArrowsMoveTheFocusInTabOrderAndEveryControlHears) {
  Probe& x = add("x", 20);
  Probe& y = add("y", 100);
  Probe& z = add("z", 180);
  x.setTabOrder(2);
  y.setTabOrder(0);
  z.setTabOrder(1);
  y.setFocus();
  log.clear();
  auto press = [&](WORD key, Probe& expected) {
    test::KeyTap(key);
    return PumpUntil([&] { return expected.focused(); });
  };
  EXPECT_TRUE(press(VK_TAB, z));
  EXPECT_EQ(only({":focus"}), (std::vector<std::string>{"x:focus(z)", "y:focus(z)", "z:focus(z)"}));
  EXPECT_TRUE(press(VK_TAB, x));
  EXPECT_TRUE(press(VK_TAB, y));  // wraps around
  test::KeyDown(VK_SHIFT);
  EXPECT_TRUE(press(VK_TAB, x));
  test::KeyUp(VK_SHIFT);
  EXPECT_TRUE(press(VK_RIGHT, y));
  EXPECT_TRUE(press(VK_DOWN, z));
  EXPECT_TRUE(press(VK_LEFT, y));
  EXPECT_TRUE(press(VK_UP, x));
  z.setVisible(false);  // no longer able to take the focus
  EXPECT_FALSE(z.canFocus());
  EXPECT_TRUE(press(VK_TAB, y));
  EXPECT_TRUE(press(VK_TAB, x));
}

TEST_F(ButtonInput, DestroyingAPressedFocusedButtonLeavesTheFormWorking) {
  Probe& a = add("a", 120);
  auto doomed = std::make_unique<TImageButton>(form);
  doomed->setBounds(20, 20, 75, 21);
  SendMessageA(doomed->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ASSERT_NE(doomed->RepeatTimer(), nullptr);
  ASSERT_TRUE(doomed->focused());
  HWND gone = doomed->handle();
  doomed.reset();
  test::PumpTicks(3, 40);
  EXPECT_FALSE(IsWindow(gone));
  EXPECT_NE(GetFocus(), gone);
  EXPECT_EQ(form.activeControl() == nullptr || form.activeControl() == &a, true);
  a.setFocus();
  test::KeyTap(VK_SPACE);
  ASSERT_TRUE(waitForPrefix("a.OnClick"));
}

TEST(Timers, TickThroughTheMessageLoopAndNeverAtZero) {
  int ticks = 0;
  auto timer = std::make_unique<Timer>();
  timer->OnTimer = [&] { ++ticks; };
  timer->setInterval(20);
  EXPECT_FALSE(timer->running());  // a new timer waits to be enabled
  timer->setEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));
  timer->setInterval(0);
  EXPECT_FALSE(timer->running());
  const int stopped = ticks;
  test::PumpTicks(4, 20);
  EXPECT_EQ(ticks, stopped);
  // A handler may free its own timer.
  timer->setInterval(20);
  timer->OnTimer = [&] {
    ++ticks;
    timer.reset();
  };
  ASSERT_TRUE(PumpUntil([&] { return timer == nullptr; }));
  EXPECT_EQ(ticks, stopped + 1);
}

}  // namespace
}  // namespace ss
