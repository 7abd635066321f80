// The framework's input rules: hit tests, the dialog-key rule and right-to-left layouts.
#include "gui/input_rules.h"

#include <gtest/gtest.h>

#include <vector>

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

TEST(RightToLeft, ArrowKeysFollowTheScreen) {
  EXPECT_EQ(ArrowKeyStep(kKeyLeft, false), -1);
  EXPECT_EQ(ArrowKeyStep(kKeyRight, false), 1);
  EXPECT_EQ(ArrowKeyStep(kKeyLeft, true), 1);
  EXPECT_EQ(ArrowKeyStep(kKeyRight, true), -1);
  for (const bool rightToLeft : {false, true}) {
    EXPECT_EQ(ArrowKeyStep(kKeyUp, rightToLeft), -1);
    EXPECT_EQ(ArrowKeyStep(kKeyDown, rightToLeft), 1);
    EXPECT_EQ(ArrowKeyStep(kKeyReturn, rightToLeft), 0);
  }
}

TEST(RightToLeft, AMirroredLayoutReadsInTheDesignsOrder) {
  // Three buttons in a row, touching, and a line below them, in a window 444 pixels wide.
  struct Box {
    int left, top, width;
  };
  const Box design[] = {{20, 40, 99}, {119, 40, 99}, {225, 40, 99}, {16, 160, 60}};
  std::vector<ReadingPlace> leftToRight, rightToLeft;
  for (const Box& b : design) {
    const int left = MirroredLeft(444, b.left, b.width);
    EXPECT_EQ(444 - left - b.width, b.left);
    leftToRight.push_back({b.left, b.top, b.left + b.width});
    rightToLeft.push_back({left, b.top, left + b.width});
  }
  for (size_t i = 0; i < leftToRight.size(); ++i) {
    for (size_t j = 0; j < leftToRight.size(); ++j) {
      EXPECT_EQ(ReadsBefore(leftToRight[i], leftToRight[j], false), i < j) << i << ", " << j;
      EXPECT_EQ(ReadsBefore(rightToLeft[i], rightToLeft[j], true), i < j) << i << ", " << j;
    }
  }
  // Read from the left, the mirrored row would come backwards.
  EXPECT_TRUE(ReadsBefore(rightToLeft[1], rightToLeft[0], false));
}

}  // namespace
}  // namespace ss
