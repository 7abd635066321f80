#include "config/config_store.h"

#include <gtest/gtest.h>

#include "scramble.h"

namespace ss {
namespace {

using test::Scramble;
using Lines = std::vector<std::string>;

std::string Value(std::string_view clearFile, std::string_view key,
                  std::string_view section = "SYSTEM") {
  return ReadValue(ParseConfigBuffer(Scramble(clearFile)), section, key, "<default>");
}

TEST(SplitTextLines, EveryLineBreakFormGivesTheSameLines) {
  const Lines expected{"a", "b", "c"};
  EXPECT_EQ(SplitTextLines("a\r\nb\r\nc"), expected);
  EXPECT_EQ(SplitTextLines("a\nb\nc\n"), expected);
  EXPECT_EQ(SplitTextLines("a\rb\rc\r\n"), expected);
}

TEST(SplitTextLines, ReversedAndDoubledBreaksYieldEmptyLines) {
  EXPECT_EQ(SplitTextLines("a\n\rb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitTextLines("a\r\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitTextLines("a\n\n\nb"), (Lines{"a", "", "", "b"}));
}

TEST(SplitTextLines, NulEndsTheTextAndEmptyInputHasNoLines) {
  EXPECT_EQ(SplitTextLines(std::string_view("a\nb\0c\nd", 7)), (Lines{"a", "b"}));
  EXPECT_TRUE(SplitTextLines("").empty());
  EXPECT_TRUE(SplitTextLines(std::string_view("\0abc", 4)).empty());
  // A break at the very end adds no empty line; a leading break gives one.
  EXPECT_EQ(SplitTextLines("\nx\n"), (Lines{"", "x"}));
}

TEST(UnscrambleLine, ComplementsEveryByteAndIsItsOwnInverse) {
  EXPECT_EQ(UnscrambleLine("\xA4\xAC\xA6\xAC\xAB\xBA\xB2\xA2"), "[SYSTEM]");
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string once = UnscrambleLine(all);
  ASSERT_EQ(once.size(), 256u);
  EXPECT_EQ(static_cast<unsigned char>(once[0]), 0xFF);
  EXPECT_EQ(UnscrambleLine(once), all);
}

TEST(ParseConfigBuffer, StoredHeaderOpensTheSectionButClearTextOpensNothing) {
  const std::string stored = "\xA4\xAC\xA6\xAC\xAB\xBA\xB2\xA2\r\n" + Scramble("Name=X");
  EXPECT_EQ(ReadValue(ParseConfigBuffer(stored), "SYSTEM", "Name", ""), "X");
  const ConfigStore clear = ParseConfigBuffer("[SYSTEM]\r\nName=X\r\n");
  EXPECT_EQ(clear.sectionCount(), 0u);
  EXPECT_EQ(ReadValue(clear, "SYSTEM", "Name", "none"), "none");
}

TEST(ParseConfigBuffer, ByteOrderMarkHidesTheFirstHeader) {
  const std::string stored = "\xEF\xBB\xBF" + Scramble("[SYSTEM]\nName=X\n");
  EXPECT_EQ(ReadValue(ParseConfigBuffer(stored), "SYSTEM", "Name", "none"), "none");
  // A second header after the mark's line still works.
  const std::string second = "\xEF\xBB\xBF" + Scramble("[SYSTEM]\n[SYSTEM]\nName=Y\n");
  EXPECT_EQ(ReadValue(ParseConfigBuffer(second), "SYSTEM", "Name", "none"), "Y");
}

TEST(ParseConfigBuffer, NulInTheFileHidesEverythingAfterIt) {
  std::string stored = Scramble("[SYSTEM]\nVersion=1\n");
  stored += '\0';
  stored += Scramble("Copyright=C\n");
  EXPECT_EQ(ReadValue(ParseConfigBuffer(stored), "SYSTEM", "Version", ""), "1");
  EXPECT_EQ(ReadValue(ParseConfigBuffer(stored), "SYSTEM", "Copyright", "none"), "none");
}

TEST(ParseConfigBuffer, StoredBytesThatUnscrambleToControlBytesAreContent) {
  // Stored 0xFF, 0xF5, 0xF2 inside a value become clear 0x00, 0x0A, 0x0D; trimmed at the ends.
  const std::string stored =
      Scramble("[SYSTEM]\n") + Scramble("Name=a") + "\xFF\xF5\xF2" + Scramble("b") + "\xFF\r\n";
  EXPECT_EQ(ReadValue(ParseConfigBuffer(stored), "SYSTEM", "Name", ""), std::string("a\0\n\rb", 5));
}

TEST(ParseConfigLines, LinesBeforeTheFirstHeaderCommentsAndBlanksAreIgnored) {
  const char* file =
      "Name=Stray\n"
      "; comment\n"
      "   \t\n"
      "[SYSTEM]\n"
      "  ; Name=Commented\n"
      "#Name=Hash\n"
      "bare line\n";
  const ConfigStore store = ParseConfigBuffer(Scramble(file));
  const std::vector<ConfigSection> sections = store.sections();
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(sections[0].lines, (Lines{"#Name=Hash", "bare line"}));
  EXPECT_EQ(Value(file, "Name"), "<default>");
  EXPECT_EQ(Value(file, "#Name"), "Hash");
}

TEST(ParseConfigLines, HeadersAreTrimmedAndMayBeEmpty) {
  EXPECT_EQ(Value("[  SYSTEM \t]\nName=A\n", "Name"), "A");
  EXPECT_EQ(Value("[]\nName=A\n", "Name", ""), "A");
  // A comment behind a header makes it no header: the entry stays in the previous section.
  EXPECT_EQ(Value("[SYSTEM]\nName=A\n[Other] ; note\nName=B\n", "Name"), "B");
  EXPECT_EQ(Value("[Other] ; note\nName=B\n", "Name", "Other"), "<default>");
  // "[" alone is not a header either.
  EXPECT_EQ(Value("[SYSTEM]\n[\nName=C\n", "Name"), "C");
}

TEST(ParseConfigLines, EntriesKeepEverythingAfterTheFirstEqualsSign) {
  EXPECT_EQ(Value("[SYSTEM]\nName = a=b \n", "Name"), "a=b");
  EXPECT_EQ(Value("[SYSTEM]\nName=\"quoted ; value\"\n", "Name"), "\"quoted ; value\"");
  EXPECT_EQ(Value("[SYSTEM]\nName=  inner   spaces  \n", "Name"), "inner   spaces");
  EXPECT_EQ(Value("[SYSTEM]\nName=\n", "Name"), "");
}

TEST(ReadValue, NamesMatchWithoutRegardToCase) {
  EXPECT_EQ(Value("[system]\nsKIN=1\n", "Skin"), "1");
  EXPECT_EQ(Value("[SyStEm]\n  SKIN   =  2\n", "skin"), "2");
}

TEST(ReadValue, TheLastSectionAndTheLastEntryWin) {
  const char* file = "[SYSTEM]\nVersion=1\nName=only-first\n[SYSTEM]\nVersion=2\nVersion=3\n";
  EXPECT_EQ(Value(file, "Version"), "3");
  EXPECT_EQ(Value(file, "Name"), "<default>");
}

TEST(ReadValue, MissingSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(Value("", "Name"), "<default>");
  EXPECT_EQ(Value("[OTHER]\nName=X\n", "Name"), "<default>");
  EXPECT_EQ(Value("[SYSTEM]\nName\n", "Name"), "<default>");
}

TEST(ReadValue, LongLinesAndManyLinesReadBackExactly) {
  // Values and names of every length class of the store's records, among a million lines.
  std::string clear = "[SYSTEM]\n";
  const std::string longValue(200000, 'v');
  const std::string longName(130, 'N');
  for (int i = 0; i < 1000000; ++i) clear += i % 2 ? "=\n" : "x=y\n";
  clear += "Name=" + longValue + "\n" + longName + "=" + std::string(63, 'a') + "\n";
  clear += "[" + std::string(70, 'S') + "]\nName=in another section\n";
  const ConfigStore store = ParseConfigBuffer(Scramble(clear));
  EXPECT_EQ(ReadValue(store, "SYSTEM", "Name", ""), longValue);
  EXPECT_EQ(ReadValue(store, "system", std::string(130, 'n'), ""), std::string(63, 'a'));
  EXPECT_EQ(ReadValue(store, std::string(70, 's'), "NAME", ""), "in another section");
  EXPECT_EQ(ReadValue(store, "SYSTEM", "x", ""), "y");
  const std::vector<ConfigSection> sections = store.sections();
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(sections[0].lines.size(), 1000002u);
  EXPECT_EQ(sections[0].lines[1000000], "Name=" + longValue);
  EXPECT_EQ(sections[1].name, std::string(70, 'S'));
}

}  // namespace
}  // namespace ss
