#include <gtest/gtest.h>

#include <vector>

#include "core/errors.h"
#include "gui/cursors.h"
#include "gui/start_file.h"
#include "shell/shell.h"
#include "test_support.h"

namespace ss {
namespace {

constexpr const char* kKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kValue = "SsTestFolder";

// Sets a value of the per-user shell-folders key for one test and removes it afterwards.
class ShellFolderValue {
 public:
  ShellFolderValue(DWORD type, const std::string& data) {
    HKEY key;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, kValue, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
    RegCloseKey(key);
  }
  ~ShellFolderValue() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, kValue); }
};

// Removes the whole shell-folders key for one test, restoring its values afterwards.
class ShellFoldersKeyRemoved {
 public:
  ShellFoldersKeyRemoved() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
      for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD nameSize = sizeof name;
        BYTE data[2048];
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS) {
          break;
        }
        saved_.push_back({name, type, std::string(reinterpret_cast<char*>(data), dataSize)});
      }
      RegCloseKey(key);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
  }
  ~ShellFoldersKeyRemoved() {
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    for (const Saved& value : saved_) {
      RegSetValueExA(key, value.name.c_str(), 0, value.type,
                     reinterpret_cast<const BYTE*>(value.data.data()),
                     static_cast<DWORD>(value.data.size()));
    }
    RegCloseKey(key);
  }

 private:
  struct Saved {
    std::string name;
    DWORD type;
    std::string data;
  };
  std::vector<Saved> saved_;
};

TEST(ReadShellFolder, ReadsTheStoredStringUpToItsFirstNul) {
  ShellFolderValue value(REG_SZ, std::string("C:\\Users\\me\\Data\0junk\0", 23));
  EXPECT_EQ(ReadShellFolder(kValue), "C:\\Users\\me\\Data");
}

TEST(ReadShellFolder, TakesExpandableStringsAsStored) {
  ShellFolderValue value(REG_EXPAND_SZ, std::string("%USERPROFILE%\\Data\0", 20));
  EXPECT_EQ(ReadShellFolder(kValue), "%USERPROFILE%\\Data");
}

TEST(ReadShellFolder, MissingOrEmptyValueFallsBackToTheRootOfC) {
  EXPECT_EQ(ReadShellFolder("SsNoSuchValue"), "C:\\");
  ShellFolderValue empty(REG_SZ, std::string());
  EXPECT_EQ(ReadShellFolder(kValue), "C:\\");
}

TEST(ReadShellFolder, MissingKeyFallsBackToTheRootOfC) {
  ShellFoldersKeyRemoved removed;
  EXPECT_EQ(ReadShellFolder("AppData"), "C:\\");
}

TEST(ReadShellFolder, ValueOfAnotherTypeRaisesARegistryError) {
  ShellFolderValue value(REG_DWORD, std::string("\x01\x00\x00\x00", 4));
  try {
    ReadShellFolder(kValue);
    FAIL() << "no error";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.message(), std::string("Invalid data type for '") + kValue + "'");
  }
}

TEST(ReadShellFolder, FindsTheUsersApplicationDataFolder) {
  const std::string folder = ReadShellFolder("AppData");
  EXPECT_NE(folder, "C:\\");
  EXPECT_NE(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES) << folder;
}

HCURSOR Cursor(const char* id) {
  return LoadCursorA(nullptr, id);
}

TEST(BusyCursor, NestedSectionsKeepTheHourglassUntilTheOuterEnds) {
  SetCursor(Cursor(IDC_CROSS));
  BeginBusy();
  EXPECT_EQ(GetCursor(), Cursor(IDC_WAIT));
  BeginBusy();
  EndBusy();
  EXPECT_EQ(BusyCount(), 1);
  EXPECT_EQ(GetCursor(), Cursor(IDC_WAIT));
  EndBusy();
  EXPECT_EQ(BusyCount(), 0);
  EXPECT_NE(GetCursor(), Cursor(IDC_WAIT));
}

TEST(BusyCursor, UnmatchedEndChangesNothing) {
  SetCursor(Cursor(IDC_CROSS));
  EndBusy();
  EXPECT_EQ(BusyCount(), 0);
  EXPECT_EQ(GetCursor(), Cursor(IDC_CROSS));
}

TEST(StartFile, StartsAProgramThroughTheShellAndRestoresTheCursor) {
  test::TempDir dir;
  test::CopyFileOrFail(test::BinFolder() + "ss_stub_tool.exe", dir.file("FileWrite.exe"));
  StartFile(dir.file("FileWrite.exe"));
  EXPECT_EQ(BusyCount(), 0);
  EXPECT_NE(GetCursor(), Cursor(IDC_WAIT));
  EXPECT_TRUE(test::WaitUntil([&] { return test::FileExists(dir.file("started.log")); }));
  test::WaitUntil([&] { return !test::ReadFileBytes(dir.file("started.log")).empty(); });
  EXPECT_EQ(test::ReadFileBytes(dir.file("started.log")), "FileWrite.exe|\r\n");
}

TEST(StartFile, MissingTargetReturnsQuietly) {
  test::TempDir dir;
  StartFile(dir.file("NoSuchTool.exe"));
  StartFile("");
  EXPECT_EQ(BusyCount(), 0);
}

}  // namespace
}  // namespace ss
