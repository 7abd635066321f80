#include "tools/config/config_tool.h"

#include <gtest/gtest.h>

#include "scramble.h"
#include "tools/config/code_page.h"

namespace ss::tool {
namespace {

TEST(PackClearText, ScramblesEachLineAndJoinsWithCrLf) {
  const PackResult packed = PackClearText("[SYSTEM]\nName=A\r\n");
  ASSERT_TRUE(packed.ok);
  EXPECT_EQ(packed.bytes,
            "\xA4\xAC\xA6\xAC\xAB\xBA\xB2\xA2\r\n" + test::Scramble("Name=A") + "\r\n");
  EXPECT_EQ(UnpackStoredText(packed.bytes), "[SYSTEM]\nName=A\n");
}

TEST(PackClearText, RefusesBytesThatCannotBeStoredNamingLineAndColumn) {
  for (const char* bad : {"\xFF", "\xF5", "\xF2"}) {
    const PackResult packed = PackClearText(std::string("[SYSTEM]\nName=ab") + bad + "c\n");
    EXPECT_FALSE(packed.ok);
    EXPECT_TRUE(packed.bytes.empty());
    EXPECT_NE(packed.error.find("line 2, column 8"), std::string::npos) << packed.error;
  }
}

TEST(PackClearText, StoresLegacyLinesAsTheyStandWarningOfLineAndColumn) {
  const std::string clear = "[SYSTEM]\nName=Caf\xC3\xA9\nCopyright=\xA9 Caf\xE9\n";
  const PackResult packed = PackClearText(clear);
  ASSERT_TRUE(packed.ok);
  ASSERT_EQ(packed.warnings.size(), 1u);
  EXPECT_EQ(packed.warnings[0].rfind("line 3, column 11: byte 0xA9 is not UTF-8", 0), 0u)
      << packed.warnings[0];
  EXPECT_EQ(UnpackStoredText(packed.bytes), clear);
}

TEST(PackClearText, DropsAByteOrderMarkSoTheFirstHeaderStillWorks) {
  const PackResult packed = PackClearText("\xEF\xBB\xBF[SYSTEM]\nName=A\n");
  ASSERT_TRUE(packed.ok);
  EXPECT_TRUE(packed.removedByteOrderMark);
  EXPECT_EQ(ReadSettings(packed.bytes).name, "A");
}

// The launcher would cut the value at a NUL ("Kest\0rel" read as "Kest"): refused, named by
// line and column in characters, whatever the encoding.
TEST(PackClearText, RefusesNulNamingLineAndColumn) {
  const char clear[] = "[SYSTEM]\nName=Caf\xC3\xA9\0b\nVersion=2\n";
  const PackResult packed = PackClearText(std::string(clear, sizeof clear - 1));
  EXPECT_FALSE(packed.ok);
  EXPECT_TRUE(packed.bytes.empty());
  EXPECT_EQ(packed.error.rfind("line 2, column 10: a NUL character", 0), 0u) << packed.error;
}

// UTF-16 as Notepad ("Unicode") and other editors save it, with its byte-order mark: read as
// the same settings as UTF-8; without the mark it is refused, naming the encoding.
TEST(PackClearText, ReadsUtf16WithItsMarkAndRefusesItWithout) {
  const std::string clear = "[SYSTEM]\r\nName=\xCE\xA9 \xF0\x9F\x98\x80\r\n";
  const std::u16string units = Utf8ToUtf16(clear);
  std::string le, be;
  for (const char16_t unit : units) {
    le += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    be += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
  }
  const std::string utf8 = PackClearText(clear).bytes;
  for (const auto& [file, encoding] :
       {std::pair{"\xFF\xFE" + le, "UTF-16 LE"}, std::pair{"\xFE\xFF" + be, "UTF-16 BE"}}) {
    SCOPED_TRACE(encoding);
    const PackResult packed = PackClearText(file);
    ASSERT_TRUE(packed.ok) << packed.error;
    EXPECT_EQ(packed.convertedFrom, encoding);
    EXPECT_EQ(packed.bytes, utf8);
    EXPECT_EQ(ReadSettings(packed.bytes).name, "\xCE\xA9 \xF0\x9F\x98\x80");
  }
  for (const auto& [file, order] : {std::pair{le, "LE"}, std::pair{be, "BE"}}) {
    const PackResult packed = PackClearText(file);
    EXPECT_FALSE(packed.ok);
    EXPECT_NE(packed.error.find(std::string("looks like UTF-16 ") + order +
                                " text without a byte-order mark"),
              std::string::npos)
        << packed.error;
    EXPECT_NE(packed.error.find("save it as UTF-8"), std::string::npos);
  }
  const PackResult odd = PackClearText("\xFF\xFE" + le + "x");
  EXPECT_NE(odd.error.find("ends in half a character"), std::string::npos) << odd.error;
}

TEST(ReadSettings, ReportsTheErrorAndTheFieldsStoredBeforeIt) {
  const Settings settings = ReadSettings(
      test::Scramble("[SYSTEM]\nName=N\nVersion=V\nCopyright=C\nSkin=x\nResFolder=R\n"));
  EXPECT_TRUE(settings.failed);
  EXPECT_EQ(settings.errorClass, "EConvertError");
  EXPECT_EQ(settings.errorMessage, "'x' is not a valid integer value");
  EXPECT_EQ(settings.vars.Copyright, "C");
  EXPECT_EQ(settings.vars.ResFolder, "");
  const std::string text = FormatSettingsText(settings);
  EXPECT_NE(text.find("Name: N\nVersion: V\nCopyright: C\nSkin: 0\nResFolder: \n"),
            std::string::npos);
  EXPECT_NE(text.find("Error: EConvertError: 'x' is not a valid integer value\n"),
            std::string::npos);
}

TEST(ReadSettings, TitleIsCutTo255Bytes) {
  const Settings settings = ReadSettings(test::Scramble("[SYSTEM]\nName=" + std::string(300, 'n')));
  EXPECT_EQ(settings.name, std::string(255, 'n'));
}

TEST(ReadSettings, TitleIsCutTo255Utf16UnitsBetweenCharacters) {
  const std::string alpha = "\xCE\xB1";          // two bytes, one UTF-16 unit
  const std::string emoji = "\xF0\x9F\x98\x80";  // four bytes, two UTF-16 units
  std::string name;
  for (int i = 0; i < 254; ++i) name += alpha;
  EXPECT_EQ(ReadSettings(test::Scramble("[SYSTEM]\nName=" + name + emoji)).name, name);
  EXPECT_EQ(ReadSettings(test::Scramble("[SYSTEM]\nName=" + name + alpha + alpha)).name,
            name + alpha);
}

// Texts as the launcher shows them: UTF-8 as it stands, legacy bytes through the code page.
TEST(FormatSettingsJson, ShowsUtf8AsItStandsAndDecodesLegacyText) {
  const std::string stored =
      test::Scramble("[SYSTEM]\nName=\xCE\x9A\xCE\xAD\nCopyright=\xC0\xE9\x98\nSkin=0\n");
  const std::string utf8 = FormatSettingsJson(ReadSettings(stored));
  EXPECT_EQ(utf8.rfind("{\"Name\": \"\xCE\x9A\xCE\xAD\", ", 0), 0u) << utf8;
  EXPECT_NE(utf8.find("\"Copyright\": \"\xC3\x80\xC3\xA9\xCB\x9C\""), std::string::npos) << utf8;
  // In code page 1251 0xC0 and 0xE9 are Cyrillic; 0x98 is undefined and stands for itself.
  const std::optional<LegacyDecoder> cyrillic = CodePageDecoder(1251);
  ASSERT_TRUE(cyrillic);
  const std::string json = FormatSettingsJson(ReadSettings(stored, *cyrillic));
  EXPECT_NE(json.find("\"Copyright\": \"\xD0\x90\xD0\xB9\xC2\x98\""), std::string::npos) << json;
  EXPECT_FALSE(CodePageDecoder(99999));
}

TEST(ReadSettings, ListsEachButtonsNameForScreenReaders) {
  const std::string text = FormatSettingsText(ReadSettings(test::Scramble(
      "[SYSTEM]\nSkin=0\n[accessibility]\nbutton2=Video\nButtonHelp=\nButtonNone=x\n")));
  EXPECT_NE(text.find("Button2 (screen readers): Video\n"), std::string::npos) << text;
  EXPECT_NE(text.find("ButtonHelp (screen readers): Help (built in)\n"), std::string::npos);
  EXPECT_EQ(text.find("ButtonNone"), std::string::npos);
}

TEST(FormatSettingsJson, MapsEveryByteToItsCodePoint) {
  EXPECT_EQ(JsonString(std::string("a\"\\\x01\0\xE9", 6)), "\"a\\\"\\\\\\u0001\\u0000\xC3\xA9\"");
  Settings settings;
  settings.name = "N";
  settings.vars.Skin = -1;
  const std::string json = FormatSettingsJson(settings);
  EXPECT_EQ(json.rfind("{\"Name\": \"N\", \"Version\": \"\", ", 0), 0u);
  EXPECT_NE(json.find("\"Skin\": -1, "), std::string::npos);
  EXPECT_NE(json.find("\"HelpSupportLink\": \"\", \"error\": null}"), std::string::npos);
  settings.failed = true;
  settings.errorClass = "EConvertError";
  settings.errorMessage = "'' is not a valid integer value";
  EXPECT_NE(FormatSettingsJson(settings).find("\"error\": {\"class\": \"EConvertError\", "
                                              "\"message\": \"'' is not a valid integer value\"}"),
            std::string::npos);
}

}  // namespace
}  // namespace ss::tool
