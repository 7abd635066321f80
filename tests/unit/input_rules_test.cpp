// The framework's input rules: hit tests and the dialog-key rule.
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

}  // namespace
}  // namespace ss
