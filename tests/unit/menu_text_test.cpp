#include "core/menu_text.h"

#include <gtest/gtest.h>

#include "core/text_format.h"

namespace ss {
namespace {

using Captions = std::vector<std::string>;

TEST(ShortcutText, NamesCtrlWithADigitAndOtherKeys) {
  EXPECT_EQ(ShortcutText(16433), "Ctrl+1");
  EXPECT_EQ(ShortcutText(0x4036), "Ctrl+6");
  EXPECT_EQ(ShortcutText(0x2000 | 0x8000 | 'K'), "Shift+Alt+K");
  EXPECT_EQ(ShortcutText(0x70), "F1");
  EXPECT_EQ(ShortcutText(0), "");
}

TEST(WithoutMnemonicPrefixes, ReadsACaptionAsItIsShown) {
  EXPECT_EQ(WithoutMnemonicPrefixes("&Open"), "Open");
  EXPECT_EQ(WithoutMnemonicPrefixes("Tom && Jerry"), "Tom & Jerry");
  EXPECT_EQ(WithoutMnemonicPrefixes("A&&&B trailing&"), "A&B trailing");
}

TEST(MnemonicOf, TakesTheCharacterAfterTheLastSingleAmpersand) {
  EXPECT_EQ(MnemonicOf("&Open"), 'O');
  EXPECT_EQ(MnemonicOf("Save &as"), 'a');
  EXPECT_EQ(MnemonicOf("Tom && Jerry"), 0);
  EXPECT_EQ(MnemonicOf("A&&B &C"), 'C');
  EXPECT_EQ(MnemonicOf("trailing&"), 0);
  EXPECT_EQ(MnemonicOf("&a &b"), 'b');
}

TEST(WithAutomaticMnemonics, GivesTheToolsMenuDistinctKeys) {
  const Captions shown =
      WithAutomaticMnemonics({"Image Writer", "Image Ripper", "Image Maker", "-",
                              "File Disc Writer", "-", "Media Wiper", "Drive Probe"});
  EXPECT_EQ(shown, (Captions{"&Image Writer", "Image &Ripper", "Image &Maker", "-",
                             "&File Disc Writer", "-", "Media &Wiper", "&Drive Probe"}));
  EXPECT_EQ(WithAutomaticMnemonics({"Music Disc Writer", "Music Track Ripper"}),
            (Captions{"&Music Disc Writer", "Music &Track Ripper"}));
}

TEST(WithAutomaticMnemonics, KeepsGivenMnemonicsAndAvoidsTheirKeys) {
  EXPECT_EQ(WithAutomaticMnemonics({"Open", "&Options", "O O"}),
            (Captions{"O&pen", "&Options", "O O"}));
  // Only letters and digits are chosen; "&&" is a literal ampersand, never a mnemonic key.
  EXPECT_EQ(WithAutomaticMnemonics({"&& x"}), (Captions{"&& &x"}));
  EXPECT_EQ(WithAutomaticMnemonics({"1 2", "2"}), (Captions{"&1 2", "&2"}));
}

TEST(FormatText, InsertsArgumentsAsTextOnly) {
  EXPECT_EQ(FormatText("%s", {"Version 1.0"}), "Version 1.0");
  EXPECT_EQ(FormatText("v%s (%s)", {"1", "beta"}), "v1 (beta)");
  EXPECT_EQ(FormatText("%s", {"100% %s %d"}), "100% %s %d");
  EXPECT_EQ(FormatText("%% %d %s %s", {"a"}), "% %d a %s");
  EXPECT_EQ(FormatText("%s", {std::string("a\0b", 3)}), std::string("a\0b", 3));
}

}  // namespace
}  // namespace ss
