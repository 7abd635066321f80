// The image button's looks, painting and properties, read back as pixels from real windows.
#include "controls/image_button.h"

#include <gtest/gtest.h>

#include <utility>

#include "input_support.h"
#include "test_support.h"

namespace ss {
namespace {

using test::AllPixels;
using test::Composed;
using test::CountPixels;
using test::kFormColor;
using test::SolidPicture;

constexpr COLORREF kNormal = 0x2020C0;
constexpr COLORREF kMouseOn = 0xC02020;
constexpr COLORREF kDown = 0x20C0C0;
constexpr COLORREF kDisabled = 0xC0C020;
constexpr COLORREF kCorner = 0x123456;
constexpr COLORREF kMark = 0x9010F0;
constexpr RECT kWhole{0, 0, 75, 21};

// A windowless control that paints itself in one colour, as a skin would under the buttons.
class Patch : public GraphicControl {
 public:
  explicit Patch(Form& form) : GraphicControl(form) {}
  void paint(HDC dc) override {
    BrushHandle brush(CreateSolidBrush(kMark));
    const RECT r = clientRect();
    FillRect(dc, &r, brush.get());
  }
};

class ImageButtonLooks : public testing::Test {
 protected:
  void SetUp() override { form.showActive(); }

  TImageButton& add(int left = 20, int top = 20, int width = 75, int height = 21) {
    buttons.push_back(std::make_unique<TImageButton>(form));
    buttons.back()->setBounds(left, top, width, height);
    return *buttons.back();
  }
  void setThreePictures(TImageButton& b) {
    const Picture normal = SolidPicture(75, 21, kNormal);
    const Picture on = SolidPicture(75, 21, kMouseOn);
    const Picture down = SolidPicture(75, 21, kDown);
    b.setPicNormal(&normal);
    b.setPicMouseOn(&on);
    b.setPicMouseDown(&down);
  }
  static bool Shows(const TImageButton& b, COLORREF color) {
    return AllPixels(Composed(b.handle()), kWhole, color);
  }

  test::TestForm form;
  std::vector<std::unique_ptr<GraphicControl>> patches;
  std::vector<std::unique_ptr<TImageButton>> buttons;
};

// Messages find a window's object without a mark kept by the window system: FromHandle must still
// take no other window for one of ours, whatever that window keeps where ours keep the object,
// and must still find ours when another tool subclasses them.
TEST(WindowObjects, FromHandleFindsThisProgramsWindowsOnly) {
  test::TestForm form;
  TImageButton button(form);
  EXPECT_EQ(Window::FromHandle(button.handle()), &button);
  EXPECT_EQ(Window::FromHandle(form.handle()), &form);
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, form.handle(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  SetWindowLongPtrW(other, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&button));
  EXPECT_EQ(Window::FromHandle(other), nullptr);
  DestroyWindow(other);
  // Subclassed by another tool in the process, the button is still found.
  static WNDPROC original = nullptr;
  original = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      button.handle(), GWLP_WNDPROC,
      reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        return CallWindowProcW(original, w, m, wp, lp);
      })));
  EXPECT_EQ(Window::FromHandle(button.handle()), &button);
  SetWindowLongPtrW(button.handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  EXPECT_EQ(Window::FromHandle(GetDesktopWindow()), nullptr);
  EXPECT_EQ(Window::FromHandle(nullptr), nullptr);
}

// A look's picture reaches every paint as a copy: copies share the pixels until one side is
// drawn into, and never show each other's drawing.
TEST(BitmapCopies, ShareThePixelsUntilEitherSideIsDrawnInto) {
  const auto fill = [](Bitmap& bitmap, COLORREF color) {
    BitmapDc dc(bitmap.handle());
    BrushHandle brush(CreateSolidBrush(color));
    const RECT all{0, 0, bitmap.width(), bitmap.height()};
    FillRect(dc.get(), &all, brush.get());
  };
  Bitmap original;
  original.setSize(4, 3);
  Bitmap copy = original;
  EXPECT_EQ(std::as_const(copy).handle(), std::as_const(original).handle());
  fill(copy, kNormal);
  EXPECT_EQ(copy.pixel(3, 2), kNormal);
  EXPECT_EQ(original.pixel(3, 2), 0xFFFFFFu);
  const Bitmap kept = copy;
  fill(copy, kMouseOn);
  EXPECT_EQ(kept.pixel(0, 0), kNormal);
  EXPECT_EQ(copy.pixel(0, 0), kMouseOn);
}

TEST_F(ImageButtonLooks, EachStateShowsItsPictureAndDisabledWins) {
  TImageButton& b = add();
  setThreePictures(b);
  EXPECT_TRUE(Shows(b, kNormal));
  b.notify(NotifyMouseEnter, 0, 0);
  EXPECT_TRUE(Shows(b, kMouseOn));
  SendMessageA(b.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(Shows(b, kDown));
  b.setEnabled(false);  // disabled over pressed, falling back to the normal picture
  EXPECT_TRUE(b.IsMouseDown());
  EXPECT_TRUE(Shows(b, kNormal));
  const Picture disabled = SolidPicture(75, 21, kDisabled);
  b.setPicDisabled(&disabled);
  EXPECT_TRUE(Shows(b, kDisabled));
  b.setPicDisabled(nullptr);
  EXPECT_TRUE(b.PicDisabled().empty());
  EXPECT_TRUE(Shows(b, kNormal));
  SendMessageA(b.handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

TEST_F(ImageButtonLooks, OnlyNormalServesEveryLookAndThePressedCaptionMovesOnePixel) {
  TImageButton& b = add();
  const Picture normal = SolidPicture(75, 21, kNormal);
  b.setPicNormal(&normal);
  b.setCaption("X");
  b.notify(NotifyMouseEnter, 0, 0);
  const Bitmap up = Composed(b.handle());
  SendMessageA(b.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  const Bitmap down = Composed(b.handle());
  SendMessageA(b.handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  // Ink: every pixel that is not the picture (the text is antialiased).
  const int ink = 75 * 21 - CountPixels(up, kWhole, kNormal);
  ASSERT_GT(ink, 5);
  int moved = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 74; ++x) {
      if (up.pixel(x, y) != kNormal) moved += down.pixel(x + 1, y + 1) == up.pixel(x, y);
    }
  }
  EXPECT_EQ(moved, ink);
  EXPECT_EQ(75 * 21 - CountPixels(down, kWhole, kNormal), ink);
}

TEST_F(ImageButtonLooks, MouseOnWithoutNormalLeavesTheOtherLooksBare) {
  TImageButton& b = add();
  const Picture on = SolidPicture(75, 21, kMouseOn);
  b.setPicMouseOn(&on);
  EXPECT_TRUE(Shows(b, kFormColor));
  b.notify(NotifyMouseEnter, 0, 0);
  EXPECT_TRUE(Shows(b, kMouseOn));
  b.setEnabled(false);
  EXPECT_TRUE(Shows(b, kFormColor));
  // Pointer notifications still reach a disabled button.
  int exits = 0;
  b.OnMouseExit = [&](Control&) { ++exits; };
  b.notify(NotifyMouseLeave, 0, 0);
  EXPECT_FALSE(b.IsMouseOn());
  EXPECT_EQ(exits, 1);
}

TEST_F(ImageButtonLooks, AnIconPictureShowsAWhiteBlockOrNothingWhenTransparent) {
  TImageButton& b = add(20, 20, 100, 30);
  const Picture icon = test::IconPicture();
  b.setPicNormal(&icon);
  Bitmap shown = Composed(b.handle());
  EXPECT_TRUE(AllPixels(shown, RECT{0, 0, 74, 21}, 0xFFFFFF));
  EXPECT_EQ(CountPixels(shown, RECT{0, 0, 100, 30}, kFormColor), 100 * 30 - 74 * 21);
  b.setTransparent(true);
  EXPECT_TRUE(b.PictureTransparent());
  EXPECT_TRUE(AllPixels(Composed(b.handle()), RECT{0, 0, 100, 30}, kFormColor));
  b.setStretch(true);  // stretched, the block covers the button
  b.setTransparent(false);
  EXPECT_TRUE(AllPixels(Composed(b.handle()), RECT{0, 0, 100, 30}, 0xFFFFFF));
}

TEST_F(ImageButtonLooks, TransparentShowsTheParentsPaintingAroundThePicture) {
  // The windowless patch covers the button from its client x = 30 on.
  patches.push_back(std::make_unique<Patch>(form));
  patches.back()->setBounds(50, 0, 100, 100);
  TImageButton& b = add();
  const Picture small = SolidPicture(50, 10, kNormal, kCorner);
  b.setPicNormal(&small);
  Bitmap shown = Composed(b.handle());
  EXPECT_EQ(shown.pixel(0, 0), kCorner);       // opaque: the corner is drawn
  EXPECT_EQ(shown.pixel(40, 15), kFormColor);  // a colour fill, not the parent's painting
  b.setTransparent(true);
  shown = Composed(b.handle());
  EXPECT_EQ(shown.pixel(0, 0), kFormColor);
  EXPECT_EQ(shown.pixel(1, 0), kNormal);
  EXPECT_EQ(shown.pixel(40, 5), kNormal);
  EXPECT_EQ(shown.pixel(29, 15), kFormColor);
  EXPECT_EQ(shown.pixel(30, 15), kMark);
}

TEST_F(ImageButtonLooks, LargePicturesAreCutOffUnlessStretched) {
  TImageButton& b = add();
  const Picture large = test::SplitPicture(150, 42, 75, kNormal, kDown);
  b.setPicNormal(&large);
  EXPECT_TRUE(Shows(b, kNormal));
  b.setStretch(true);
  Bitmap shown = Composed(b.handle());
  EXPECT_TRUE(AllPixels(shown, RECT{0, 0, 37, 21}, kNormal));
  EXPECT_TRUE(AllPixels(shown, RECT{38, 0, 75, 21}, kDown));
  const Picture tiny = SolidPicture(7, 3, kMouseOn);
  b.setPicNormal(&tiny);
  EXPECT_TRUE(Shows(b, kMouseOn));
}

TEST_F(ImageButtonLooks, FocusFrameNeedsFocusAndDrawFocused) {
  TImageButton& other = add(120, 20);
  TImageButton& b = add();
  const Picture normal = SolidPicture(75, 21, kNormal);
  b.setPicNormal(&normal);
  b.setDrawFocused(true);
  other.setFocus();
  EXPECT_TRUE(Shows(b, kNormal));
  b.setFocus();
  ASSERT_TRUE(b.focused());
  const COLORREF inverted = ~kNormal & 0xFFFFFF;
  auto frameRows = [&](int margin) {
    const Bitmap shown = Composed(b.handle());
    return std::make_pair(CountPixels(shown, RECT{0, margin - 1, 75, margin}, inverted),
                          CountPixels(shown, RECT{0, margin, 75, margin + 1}, inverted));
  };
  EXPECT_EQ(frameRows(2).first, 0);
  EXPECT_GT(frameRows(2).second, 20);
  b.setFocusedRectMargin(5);
  EXPECT_EQ(frameRows(5).first, 0);
  EXPECT_GT(frameRows(5).second, 20);
  b.setDrawFocused(false);
  EXPECT_TRUE(Shows(b, kNormal));
}

// Counts its paints: under a transparent button it paints each time that button does.
class CountingPatch : public Patch {
 public:
  using Patch::Patch;
  void paint(HDC dc) override {
    ++paints;
    Patch::paint(dc);
  }
  int paints = 0;
};

TEST_F(ImageButtonLooks, EveryButtonRepaintsWhenTheFocusMovesBetweenOthers) {
  TImageButton& first = add(20, 20);
  TImageButton& second = add(120, 20);
  TImageButton& bystander = add(220, 60);
  auto counting = std::make_unique<CountingPatch>(form);
  CountingPatch& patch = *counting;
  patches.push_back(std::move(counting));
  patch.setBounds(230, 65, 20, 5);  // under the bystander only
  bystander.setTransparent(true);
  first.setFocus();
  test::PumpMessages();
  patch.paints = 0;
  // The focus-changed notification reaches every button, and each repaints at once.
  second.setFocus();
  EXPECT_EQ(patch.paints, 1);
  first.setFocus();
  EXPECT_EQ(patch.paints, 2);
}

// A button that counts the paints it makes through its own window.
class CountingButton : public TImageButton {
 public:
  using TImageButton::TImageButton;
  int ownPaints = 0;

 protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_PAINT && !wParam) ++ownPaints;
    return TImageButton::handleMessage(message, wParam, lParam);
  }
};

TEST_F(ImageButtonLooks, TheFormPaintsItsWaitingButtonsAndTheUpperOneShowsWhereTheyOverlap) {
  form.hide();
  CountingButton left(form), right(form);
  left.setBounds(20, 20, 75, 21);
  right.setBounds(90, 20, 75, 21);  // five columns over the left one's right edge
  const Picture red = SolidPicture(75, 21, kNormal), blue = SolidPicture(75, 21, kMouseOn);
  left.setPicNormal(&red);
  right.setPicNormal(&blue);
  form.showActive();
  test::PumpMessages();
  // Both came to the screen in the form's own paint.
  EXPECT_EQ(left.ownPaints + right.ownPaints, 0);
  bool leftAbove = false;
  for (HWND w = GetWindow(right.handle(), GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
    leftAbove |= w == left.handle();
  }
  const RECT overlapInLeft{70, 0, 75, 21}, overlapInRight{0, 0, 5, 21};
  EXPECT_TRUE(AllPixels(test::OnScreen(left.handle()), RECT{0, 0, 70, 21}, kNormal));
  EXPECT_TRUE(AllPixels(test::OnScreen(right.handle()), RECT{5, 0, 75, 21}, kMouseOn));
  EXPECT_TRUE(!leftAbove ? AllPixels(test::OnScreen(right.handle()), overlapInRight, kMouseOn)
                         : AllPixels(test::OnScreen(left.handle()), overlapInLeft, kNormal));
}

TEST_F(ImageButtonLooks, AWaitingButtonOnlyPartlyInTheFormsPaintStillPaintsAllOfItself) {
  TImageButton& b = add(100, 40);
  setThreePictures(b);
  test::PumpMessages();
  {
    // Its place on the screen spoilt, and the button waiting for its paint.
    WindowDc dc(b.handle());
    FillRect(dc.get(), &kWhole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  InvalidateRect(b.handle(), nullptr, FALSE);
  // The form's paint: two strips on either side, whose bounding box holds the button.
  const RECT before{90, 30, 95, 70}, after{180, 30, 185, 70};
  InvalidateRect(form.handle(), &before, FALSE);
  InvalidateRect(form.handle(), &after, FALSE);
  UpdateWindow(form.handle());
  test::PumpMessages();
  EXPECT_TRUE(AllPixels(test::OnScreen(b.handle()), kWhole, kNormal));
}

TEST_F(ImageButtonLooks, WhatChangesWhileTheFormIsHiddenShowsWhenItShowsAgain) {
  TImageButton& b = add();
  setThreePictures(b);
  test::PumpMessages();
  form.hide();
  // Each of these skips its repaint while nothing is on the screen.
  const Picture disabled = SolidPicture(75, 21, kDisabled);
  b.setPicDisabled(&disabled);
  b.setEnabled(false);
  b.setBounds(40, 30, 75, 21);
  EXPECT_FALSE(GetUpdateRect(b.handle(), nullptr, FALSE));
  form.showActive();
  test::PumpMessages();
  EXPECT_TRUE(AllPixels(test::OnScreen(b.handle()), kWhole, kDisabled));
  b.setEnabled(true);
  EXPECT_TRUE(AllPixels(test::OnScreen(b.handle()), kWhole, kNormal));
}

TEST_F(ImageButtonLooks, CaptionsBlankDisabledAndUnderlined) {
  TImageButton& b = add();
  const Picture normal = SolidPicture(75, 21, kNormal);
  b.setPicNormal(&normal);
  b.setCaption(" \t ");
  EXPECT_TRUE(Shows(b, kNormal));
  b.setCaption("Open");
  const int plain = CountPixels(Composed(b.handle()), kWhole, 0x000000);
  b.setCaption("&Open");
  EXPECT_GT(CountPixels(Composed(b.handle()), kWhole, 0x000000), plain);  // the underline
  b.setEnabled(false);
  const Bitmap disabled = Composed(b.handle());
  EXPECT_EQ(CountPixels(disabled, kWhole, 0x000000), 0);
  EXPECT_GT(CountPixels(disabled, kWhole, 0x808080), 5);
  EXPECT_GT(CountPixels(disabled, kWhole, 0xFFFFFF), 5);
}

TEST_F(ImageButtonLooks, AutoSizeMeasuresPicNormalOnlyWhenAssigned) {
  TImageButton& b = add();
  b.setAutoSize(true);  // nothing to measure yet
  EXPECT_EQ(b.width(), 75);
  // Filled through the picture's own operations (as loadFromFile does): the picture only.
  b.PicNormal().assign(SolidPicture(40, 30, kNormal));
  EXPECT_EQ(b.width(), 75);
  EXPECT_TRUE(AllPixels(test::OnScreen(b.handle()), kWhole, kFormColor));
  const Picture disabled = SolidPicture(50, 50, kDisabled);
  b.setPicDisabled(&disabled);  // any picture setter measures PicNormal
  EXPECT_EQ(b.width(), 40);
  EXPECT_EQ(b.height(), 30);
  RECT window;
  GetClientRect(b.handle(), &window);
  EXPECT_EQ(window.right, 40);
  b.setAutoSize(false);
  b.setBounds(20, 20, 75, 21);
  b.setAutoSize(true);
  EXPECT_EQ(b.height(), 30);
}

TEST_F(ImageButtonLooks, NewButtonIsATabStopRepeatingEvery100MsAndAnswersTheSkinButtonQuery) {
  TImageButton& b = add();
  EXPECT_EQ(form.firstTabStop(), &b);
  // Held with the mouse, a new button repeats every 100 ms; a negative interval never ticks.
  auto press = [&] { SendMessageA(b.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); };
  auto release = [&] { SendMessageA(b.handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); };
  press();
  ASSERT_NE(b.RepeatTimer(), nullptr);
  EXPECT_EQ(b.RepeatTimer()->interval(), 100);
  EXPECT_TRUE(b.RepeatTimer()->running());
  release();
  EXPECT_EQ(b.RepeatTimer(), nullptr);
  b.setMouseContinuouslyDownInterval(-5);
  press();
  ASSERT_NE(b.RepeatTimer(), nullptr);
  EXPECT_EQ(b.RepeatTimer()->interval(), 0);
  EXPECT_FALSE(b.RepeatTimer()->running());
  release();
  b.setUIStyle(TUIStyle::Standard);
  EXPECT_EQ(b.UIStyle(), TUIStyle::FromThemeFile);
  EXPECT_EQ(SendMessageA(b.handle(), WM_IS_SKIN_BUTTON, 0, 0), 1);
  EXPECT_EQ(SendMessageA(form.handle(), WM_IS_SKIN_BUTTON, 0, 0), 0);
  b.setText("Go");
  EXPECT_EQ(b.Caption(), "Go");
  b.setCaption("&Stop");
  EXPECT_EQ(b.text(), "&Stop");
  TImageButton& second = add(120, 20);
  second.setDefault(true);  // every button takes IsDefaultActive again
  EXPECT_TRUE(second.IsDefaultActive());
  EXPECT_FALSE(b.IsDefaultActive());
}

}  // namespace
}  // namespace ss
