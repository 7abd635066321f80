#include "ui/main/settings_folder.h"

#include <gtest/gtest.h>

namespace ss {
namespace {

TEST(SettingsFolderName, ReplacesSlashesAndEveryOtherForbiddenCharacterBySpaces) {
  EXPECT_EQ(SettingsFolderName("A/B"), "A B");
  EXPECT_EQ(SettingsFolderName("..\\..\\Windows"), ".. .. Windows");
  EXPECT_EQ(SettingsFolderName("a:b*c?d\"e<f>g|h"), "a b c d e f g h");
  EXPECT_EQ(SettingsFolderName(std::string("tab\there\x01", 9)), "tab here ");
  EXPECT_EQ(SettingsFolderName("Kestrel Disc Suite 2.0"), "Kestrel Disc Suite 2.0");
  EXPECT_EQ(SettingsFolderName("Caf\xE9"), "Caf\xE9");
}

TEST(SettingsFolderName, NamesOfDotsOnlyCannotClimbOut) {
  EXPECT_EQ(SettingsFolderName(".."), "  ");
  EXPECT_EQ(SettingsFolderName("."), " ");
  EXPECT_EQ(SettingsFolderName("..."), "   ");
  EXPECT_EQ(SettingsFolderName("a..b"), "a..b");
  EXPECT_EQ(SettingsFolderName(""), "");
}

}  // namespace
}  // namespace ss
