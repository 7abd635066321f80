#include "shell/paths.h"

#include <gtest/gtest.h>

namespace ss {
namespace {

TEST(WithTrailingBackslash, AppendsOnlyWhenMissing) {
  EXPECT_EQ(WithTrailingBackslash("C:\\Data"), "C:\\Data\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\Data\\"), "C:\\Data\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\"), "C:\\");
  EXPECT_EQ(WithTrailingBackslash("C:"), "C:\\");
  EXPECT_EQ(WithTrailingBackslash(""), "\\");
}

TEST(FolderOfPath, KeepsEverythingUpToTheLastBackslashOrColon) {
  EXPECT_EQ(FolderOfPath("C:\\Program Files\\Suite\\suitestart.exe"), "C:\\Program Files\\Suite\\");
  EXPECT_EQ(FolderOfPath("C:suitestart.exe"), "C:");
  EXPECT_EQ(FolderOfPath("\\\\server\\share\\a.exe"), "\\\\server\\share\\");
  EXPECT_EQ(FolderOfPath("a.exe"), "");
}

}  // namespace
}  // namespace ss
