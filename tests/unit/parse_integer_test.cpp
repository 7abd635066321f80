#include "config/parse_integer.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace ss {
namespace {

TEST(ParseInteger, AcceptsEveryWrittenFormOfOne) {
  for (const char* text : {"1", "+1", "01", "$1", "x1", "X1", "0x1", "0X1", "  1", "0001"}) {
    EXPECT_EQ(ParseInteger(text), 1) << text;
  }
}

TEST(ParseInteger, HandlesSignsAndTheLimitsOf32Bits) {
  EXPECT_EQ(ParseInteger("-0"), 0);
  EXPECT_EQ(ParseInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseInteger("2147483647"), INT32_MAX);
  EXPECT_EQ(ParseInteger("-17"), -17);
  EXPECT_EQ(ParseInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseInteger("0x80000000"), INT32_MIN);
  EXPECT_EQ(ParseInteger("-$10"), -16);
  EXPECT_EQ(ParseInteger("$7fffffff"), INT32_MAX);
  EXPECT_EQ(ParseInteger("0000000000000000000042"), 42);
}

TEST(ParseInteger, RejectsEverythingElseWithTheWholeTextInTheMessage) {
  for (const char* text : {"2147483648",
                           "-2147483649",
                           "1.0",
                           "1 2",
                           "- 1",
                           "0x",
                           "$",
                           "",
                           " ",
                           "+",
                           "-",
                           "1 ",
                           "+-1",
                           "--1",
                           "$100000000",
                           "0x1G",
                           "abc",
                           "1e3",
                           "99999999999999999999",
                           "0o7",
                           "x-1"}) {
    try {
      ParseInteger(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.message(), std::string("'") + text + "' is not a valid integer value");
      EXPECT_STREQ(error.className(), "EConvertError");
    }
  }
}

TEST(ParseInteger, MessageKeepsEveryByteOfTheText) {
  const std::string text("1\0x", 3);
  try {
    ParseInteger(text);
    FAIL();
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.message(), "'" + text + "' is not a valid integer value");
  }
}

}  // namespace
}  // namespace ss
