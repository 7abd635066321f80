// Variant folders, the variant taken at each DPI and sizes at a DPI.
#include "skin/skin_scale.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace ss {
namespace {

TEST(SkinScale, FolderNamesVariantsAndSizesAtADpi) {
  EXPECT_EQ(VariantScale("125"), 125);
  EXPECT_EQ(VariantScale("101"), 101);
  EXPECT_EQ(VariantScale("800"), 800);
  for (const char* name : {"100", "801", "99", "0150", "", "15O", "+150", "150 ", "1e2", "2000",
                           "99999999999999999999"}) {
    EXPECT_EQ(VariantScale(name), std::nullopt) << '"' << name << '"';
  }

  // The smallest drawn for at least the DPI, in whatever order the folders come; else the
  // largest.
  const std::vector<int> scales{200, 100, 125, 150};
  EXPECT_EQ(ChooseVariant(96, scales), 100);
  EXPECT_EQ(ChooseVariant(97, scales), 125);
  EXPECT_EQ(ChooseVariant(120, scales), 125);
  EXPECT_EQ(ChooseVariant(121, scales), 150);
  EXPECT_EQ(ChooseVariant(144, scales), 150);
  EXPECT_EQ(ChooseVariant(192, scales), 200);
  EXPECT_EQ(ChooseVariant(288, scales), 200);
  EXPECT_EQ(ChooseVariant(72, std::vector<int>{150, 300}), 150);
  EXPECT_EQ(ChooseVariant(144, std::vector<int>{100}), 100);
  EXPECT_EQ(ChooseVariant(144, std::vector<int>{}), std::nullopt);

  // MulDiv's rounding: 325.5 up, 1.25 down, halves away from zero; -1 past an int.
  EXPECT_EQ(ScaleToDpi(444, 144), 666);
  EXPECT_EQ(ScaleToDpi(217, 144), 326);
  EXPECT_EQ(ScaleToDpi(1, 120), 1);
  EXPECT_EQ(ScaleToDpi(3, 120), 4);
  EXPECT_EQ(ScaleToDpi(217, 96), 217);
  EXPECT_EQ(ScaleToDpi(0, 288), 0);
  EXPECT_EQ(ScaleToDpi(-217, 144), -326);
  EXPECT_EQ(ScaleToDpi(INT_MAX, 192), -1);
}

TEST(SkinScale, AVariantsLengthsAreThe96DpiOnesAtItsScaleHalvesUp) {
  EXPECT_EQ(LengthAtScale(99, 150), 149);   // 148.5
  EXPECT_EQ(LengthAtScale(217, 150), 326);  // 325.5
  EXPECT_EQ(LengthAtScale(444, 125), 555);
  EXPECT_EQ(LengthAtScale(108, 175), 189);
}

}  // namespace
}  // namespace ss
