#include <gtest/gtest.h>

#include "config/config_file.h"
#include "core/error_text.h"
#include "core/errors.h"
#include "shell/paths.h"
#include "core/system_error.h"
#include "test_support.h"

namespace ss {
namespace {

using test::Scramble;
using test::TempDir;

std::string OpenErrorOf(const std::string& path) {
  try {
    LoadConfigStore(path);
  } catch (const EFOpenError& error) {
    return error.message();
  }
  return "no error";
}

TEST(LoadConfigStore, ReadsAScrambledFile) {
  TempDir dir;
  test::WriteFileBytes(dir.file("tarvix.dll"), Scramble("[SYSTEM]\r\nName=Suite\r\n"));
  EXPECT_EQ(ReadValue(LoadConfigStore(dir.file("tarvix.dll")), "SYSTEM", "Name", ""), "Suite");
}

TEST(LoadConfigStore, FileHeldOpenForWritingGivesTheSystemsSharingText) {
  TempDir dir;
  const std::string path = dir.file("tarvix.dll");
  test::WriteFileBytes(path, Scramble("[SYSTEM]\nName=A\n"));
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  const std::string message = OpenErrorOf(path);
  CloseHandle(writer);
  const std::string systemText = SystemErrorText(ERROR_SHARING_VIOLATION);
  ASSERT_FALSE(TrimSystemMessage(systemText).empty());
  EXPECT_EQ(message, "Cannot open file \"" + path + "\". " + TrimSystemMessage(systemText));
  EXPECT_NE(message.back(), '.');
  // Once the writer is gone the file reads again.
  EXPECT_EQ(ReadValue(LoadConfigStore(path), "SYSTEM", "Name", ""), "A");
}

TEST(LoadConfigStore, OtherReadersDoNotBlockTheReading) {
  TempDir dir;
  const std::string path = dir.file("tarvix.dll");
  test::WriteFileBytes(path, Scramble("[SYSTEM]\nName=A\n"));
  HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ReadValue(LoadConfigStore(path), "SYSTEM", "Name", ""), "A");
  CloseHandle(reader);
}

TEST(LoadConfigStore, MissingFileNamesItsFullPathAndTheSystemsText) {
  TempDir dir;
  const std::string path = dir.file("tarvix.dll");
  EXPECT_EQ(OpenErrorOf(path), FileOpenMessage(path, SystemErrorText(ERROR_FILE_NOT_FOUND)));
}

TEST(ConfigFilePath, IsBesideTheExecutable) {
  EXPECT_EQ(ConfigFilePath(), ExeFolder() + "tarvix.dll");
  EXPECT_EQ(ExeFolder().back(), '\\');
  EXPECT_TRUE(test::FileExists(ExeFolder() + "win_startup_tests.exe"));
}

}  // namespace
}  // namespace ss
