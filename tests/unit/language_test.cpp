#include "config/language.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace ss {
namespace {

TEST(LanguageTags, OnlyTagsReachAPathAndEachFallsBackToItsParents) {
  for (const char* tag : {"de", "de-AT", "zh-Hant", "es-419", "ckb"}) {
    EXPECT_TRUE(IsLanguageTag(tag)) << tag;
  }
  for (const char* bad : {"", "-", "de-", "..\\de", "de/AT", "de AT", "1de", "de--AT",
                          "toolongsubtag", "d\xC3\xA9"}) {
    EXPECT_FALSE(IsLanguageTag(bad)) << bad;
    EXPECT_TRUE(LanguageTagChain(bad).empty()) << bad;
  }
  EXPECT_EQ(LanguageTagChain("zh-Hant-TW"),
            (std::vector<std::string>{"zh-Hant-TW", "zh-Hant", "zh"}));
  EXPECT_TRUE(IsRightToLeftTag("ar-EG"));
  EXPECT_TRUE(IsRightToLeftTag("HE"));
  EXPECT_TRUE(IsRightToLeftTag("ckb-IQ"));
  EXPECT_FALSE(IsRightToLeftTag("de"));
  EXPECT_FALSE(IsRightToLeftTag("arn"));  // Mapudungun: its own language, not Arabic
}

// Language files by tag, as a folder would hold them.
class ChooseLanguageTest : public ::testing::Test {
 protected:
  Language choose(std::string_view fixed, const std::vector<std::string>& user) {
    return ChooseLanguage(
        fixed, user,
        [this](const std::string& tag) -> std::optional<std::string> {
          asked.push_back(tag);
          const auto found = files.find(tag);
          if (found == files.end()) return std::nullopt;
          return found->second;
        },
        DecodeWindows1252);
  }
  std::map<std::string, std::string> files{
      {"de",
       "\xEF\xBB\xBF[LANGUAGE]\nName=Deutsch\n[TEXT]\nWelcome=Willkommen bei {title}!\n"
       "Menu1=Musik-CD brennen\nMenu2=\n"},
      {"de-AT", "[TEXT]\nMenu1=Musik-CD brennen (AT)\n"},
      {"ar", "[TEXT]\nWelcome=\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7\n"},
      {"fr", "[LANGUAGE]\nDirection=rtl\n[TEXT]\nAboutOK=D\xE9j\xE0\n"},
  };
  std::vector<std::string> asked;
};

TEST_F(ChooseLanguageTest, TheSettingWinsThenTheUsersLanguagesEachWithItsParents) {
  EXPECT_EQ(choose("de", {"ar"}).tag(), "de");
  EXPECT_EQ(choose("", {"ja", "de-CH", "ar"}).tag(), "de");  // de-CH has no file, de has
  EXPECT_EQ(choose("../x", {"ar-EG"}).tag(), "ar");          // no tag: never asked for
  EXPECT_EQ(std::count(asked.begin(), asked.end(), "../x"), 0);
  const Language none = choose("", {"ja-JP", "it"});
  EXPECT_TRUE(none.builtIn());
  EXPECT_EQ(none.text("TEXT", "Welcome", "Welcome to {title}!"), "Welcome to {title}!");
  EXPECT_FALSE(none.rightToLeft());
}

TEST_F(ChooseLanguageTest, EachKeyFallsBackToTheParentsFileThenToEnglish) {
  const Language austrian = choose("", {"de-AT"});
  EXPECT_EQ(austrian.tag(), "de-AT");
  EXPECT_EQ(austrian.text("TEXT", "menu1", "Music Disc Writer"), "Musik-CD brennen (AT)");
  EXPECT_EQ(austrian.text("TEXT", "Welcome", "Welcome to {title}!"), "Willkommen bei {title}!");
  EXPECT_EQ(austrian.text("TEXT", "Menu2", "Music Track Ripper"), "");  // set, if empty
  EXPECT_EQ(austrian.text("TEXT", "AboutOK", "OK"), "OK");
  EXPECT_EQ(austrian.name(), "");  // the chosen file's own name only
}

TEST_F(ChooseLanguageTest, DirectionComesFromTheFileElseFromTheTag) {
  EXPECT_TRUE(choose("ar", {}).rightToLeft());
  EXPECT_FALSE(choose("de", {}).rightToLeft());
  const Language french = choose("fr", {});
  EXPECT_TRUE(french.rightToLeft());
  EXPECT_EQ(french.text("TEXT", "AboutOK", "OK"), "D\xC3\xA9j\xC3\xA0");  // legacy text decoded
}

TEST_F(ChooseLanguageTest, AFileTooLargeOrWithTooLongALineIsSkippedForTheNext) {
  files["de-AT"] = "[TEXT]\nMenu1=" + std::string(kMaxLanguageLineBytes, 'x') + "\n";
  EXPECT_EQ(choose("de-AT", {}).tag(), "de");
  files["de"] = std::string(kMaxLanguageFileBytes + 1, '\n');
  EXPECT_EQ(choose("de-AT", {"ar"}).tag(), "ar");
}

TEST(Placeholders, AreReplacedOnceAsPlainTextAndNothingElseIsAFormat) {
  const PlaceholderValues values{"A {year} %s", "2026", "Kestrel & Co", "1.0"};
  EXPECT_EQ(FillPlaceholders("{title} {year} %s %n {name} {version}{copyright}{", values),
            "A {year} %s 2026 %s %n {name} 1.0Kestrel & Co{");
  EXPECT_EQ(PlaceholdersIn("{year} of {title}, {year} {other}"),
            (std::vector<std::string>{"{year}", "{title}"}));
}

}  // namespace
}  // namespace ss
