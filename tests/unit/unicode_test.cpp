// UTF-8 validity, the conversions to UTF-16 and back, cutting on characters, and the settings'
// decoding rule.
#include "core/unicode.h"

#include <gtest/gtest.h>

namespace ss {
namespace {

TEST(Utf8, ValidOnlyWithoutOverlongSurrogateOrCutSequences) {
  for (const char* valid : {"", "Caf\xC3\xA9", "\xCE\x95\xCE\xBB", "\xE6\x97\xA5",
                            "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF"}) {
    EXPECT_TRUE(IsValidUtf8(valid)) << valid;
  }
  for (const char* invalid :
       {"Caf\xE9", "\xC0\xAF", "\xE0\x80\xAF", "\xF0\x80\x80\xAF", "\xED\xA0\x80",
        "\xF4\x90\x80\x80", "\xC3", "\xE6\x97", "\x80", "\xFF"}) {
    EXPECT_FALSE(IsValidUtf8(invalid)) << invalid;
  }
}

TEST(Utf8, ConvertsToUtf16AndBackKeepingEveryCharacter) {
  const std::string text =
      "A\xC5\x81\xC3\xB3"
      "d\xC5\xBA \xE6\x97\xA5\xF0\x9F\x98\x80";
  const std::u16string wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide, u"A\u0141\u00F3d\u017A \u65E5\U0001F600");
  EXPECT_EQ(Utf16ToUtf8(wide), text);
  // A byte of no valid sequence stands for its own code point; a lone surrogate for U+FFFD.
  EXPECT_EQ(Utf8ToUtf16("a\xE9z"), u"a\u00E9z");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
  EXPECT_EQ(LastCodePoint("x\xE6\x97\xA5"), U'\u65E5');
}

TEST(Utf8, CutsBetweenCharactersCountingUtf16Units) {
  const std::string cyrillic = "\xD0\x96\xD0\x96\xD0\x96";  // three characters, six bytes
  EXPECT_EQ(CutToUtf16Units(cyrillic, 2), "\xD0\x96\xD0\x96");
  const std::string emoji = "a\xF0\x9F\x98\x80";  // one unit, then a surrogate pair
  EXPECT_EQ(CutToUtf16Units(emoji, 2), "a");
  EXPECT_EQ(CutToUtf16Units(emoji, 3), emoji);
  EXPECT_EQ(CutToUtf16Units(std::string(300, 'n'), 255), std::string(255, 'n'));
}

TEST(SettingText, Utf8AsItStandsAnythingElseAsLegacyText) {
  EXPECT_EQ(SettingText("Caf\xC3\xA9", DecodeWindows1252), "Caf\xC3\xA9");
  EXPECT_EQ(SettingText("Caf\xE9", DecodeWindows1252), "Caf\xC3\xA9");
  // Windows-1252's own characters in 0x80 to 0x9F, and its undefined bytes as themselves.
  EXPECT_EQ(DecodeWindows1252("\x80\x81\x9F"), "\xE2\x82\xAC\xC2\x81\xC5\xB8");
  // An overlong or surrogate form is no UTF-8, so the whole value is legacy text.
  EXPECT_EQ(SettingText("\xC0\xAF", DecodeWindows1252), "\xC3\x80\xC2\xAF");
  EXPECT_TRUE(MixesEncodings("Caf\xC3\xA9 Caf\xE9"));
  EXPECT_FALSE(MixesEncodings("Caf\xE9"));
  EXPECT_FALSE(MixesEncodings("Caf\xC3\xA9"));
}

}  // namespace
}  // namespace ss
