// The framework's input rules: hit tests, the dialog-key rule and right-to-left layouts.
#include "gui/input_rules.h"

#include <gtest/gtest.h>

namespace ss {
namespace {

TEST(HitTests, RightAndBottomEdgesDifferBetweenMoveAndClick) {
  EXPECT_FALSE(OutsideForMove(75, 21, 75, 21));
  EXPECT_FALSE(InsideForClick(75, 10, 75, 21));
  EXPECT_FALSE(InsideForClick(10, 21, 75, 21));
  EXPECT_TRUE(InsideForClick(0, 0, 75, 21));
  EXPECT_TRUE(InsideForClick(74, 20, 75, 21));
  EXPECT_TRUE(OutsideForMove(76, 0, 75, 21));
  EXPECT_TRUE(OutsideForMove(-1, 0, 75, 21));
  EXPECT_TRUE(OutsideForMove(0, 22, 75, 21));
}

TEST(DialogKeys, ReturnForTheDefaultEscapeForTheCancelWithoutModifiers) {
  EXPECT_TRUE(DialogKeyClicks(kKeyReturn, true, false, false, true));
  EXPECT_FALSE(DialogKeyClicks(kKeyReturn, false, true, false, true));
  EXPECT_TRUE(DialogKeyClicks(kKeyEscape, false, true, false, true));
  EXPECT_FALSE(DialogKeyClicks(kKeyEscape, true, false, false, true));
  EXPECT_FALSE(DialogKeyClicks(kKeyReturn, true, true, true, true));
  EXPECT_FALSE(DialogKeyClicks(kKeyReturn, true, true, false, false));
  EXPECT_FALSE(DialogKeyClicks(kKeySpace, true, true, false, true));
}

TEST(RightToLeft, ArrowsAndReadersFollowTheMirroredScreen) {
  // Left moves on and Right back, as the controls stand mirrored; Up and Down keep their way.
  EXPECT_EQ(ArrowKeyStep(kKeyLeft, true), 1);
  EXPECT_EQ(ArrowKeyStep(kKeyRight, true), -1);
  EXPECT_EQ(ArrowKeyStep(kKeyLeft, false), -1);
  EXPECT_EQ(ArrowKeyStep(kKeyRight, false), 1);
  EXPECT_EQ(ArrowKeyStep(kKeyUp, true), -1);
  EXPECT_EQ(ArrowKeyStep(kKeyDown, true), 1);
  EXPECT_EQ(ArrowKeyStep(kKeyReturn, true), 0);
  // Two touching buttons of a row and a line below them, mirrored in a window 444 wide, read in
  // the design's order from the right; from the left the row would come backwards.
  const auto mirrored = [](int left, int top, int width) {
    const int mirroredLeft = MirroredLeft(444, left, width);
    return ReadingPlace{mirroredLeft, top, mirroredLeft + width};
  };
  const ReadingPlace one = mirrored(20, 40, 99), two = mirrored(119, 40, 99);
  const ReadingPlace line = mirrored(16, 160, 60);
  EXPECT_EQ(one.right, 444 - 20);
  EXPECT_TRUE(ReadsBefore(one, two, true));
  EXPECT_FALSE(ReadsBefore(two, one, true));
  EXPECT_TRUE(ReadsBefore(two, line, true));
  EXPECT_TRUE(ReadsBefore(two, one, false));
}

}  // namespace
}  // namespace ss
