// The real launcher started in a folder of its own: start-up errors, title, show commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/error_text.h"
#include "core/system_error.h"
#include "test_support.h"

namespace ss {
namespace {

using test::ChildProcess;
using test::LauncherFolder;
using test::StartupErrorText;

constexpr const char* kMinimalConfig = "[SYSTEM]\nName=Test Suite\nSkin=0\nResFolder=test\n";

TEST(Startup, MissingConfigurationEndsWithTheApplicationErrorBox) {
  LauncherFolder folder(kMinimalConfig);
  DeleteFileA(folder.dir.file("tarvix.dll").c_str());
  const std::string path = folder.dir.file("tarvix.dll");
  EXPECT_EQ(StartupErrorText(folder),
            "Exception EFOpenError in module suitestart.exe at ADDRESS.\r\n" +
                FileOpenMessage(path, SystemErrorText(ERROR_FILE_NOT_FOUND)) + ".\r\n");
}

TEST(Startup, MissingIconEndsWithTheApplicationErrorBox) {
  LauncherFolder folder(kMinimalConfig, false);
  const std::string path = folder.dir.file("icon.ico");
  EXPECT_EQ(StartupErrorText(folder),
            "Exception EFOpenError in module suitestart.exe at ADDRESS.\r\n" +
                FileOpenMessage(path, SystemErrorText(ERROR_FILE_NOT_FOUND)) + ".\r\n");
}

TEST(Startup, ShortIconIsAStreamReadError) {
  LauncherFolder folder(kMinimalConfig);
  test::WriteFileBytes(folder.dir.file("icon.ico"), std::string("\0\0\1\0\1", 5));
  EXPECT_EQ(StartupErrorText(folder),
            "Exception EReadError in module suitestart.exe at ADDRESS.\r\nStream read error.\r\n");
}

TEST(Startup, IconOfAnotherTypeIsAnInvalidGraphic) {
  LauncherFolder folder(kMinimalConfig);
  std::string cursorFile = test::SampleIconFile();
  cursorFile[2] = 2;
  test::WriteFileBytes(folder.dir.file("icon.ico"), cursorFile);
  EXPECT_EQ(StartupErrorText(folder),
            "Exception EInvalidGraphic in module suitestart.exe at ADDRESS.\r\n"
            "Icon image is not valid.\r\n");
}

TEST(Startup, AddressIsTheSameForTheSameFailure) {
  LauncherFolder folder(kMinimalConfig, false);
  auto address = [&] {
    ChildProcess launcher(folder.dir.file("suitestart.exe"), folder.dir.path());
    HWND box = launcher.waitWindow("#32770", "Application Error");
    const std::string text = box ? test::MessageBoxText(box) : std::string();
    if (box) test::CloseMessageBox(box);
    launcher.waitExit();
    const size_t at = text.find(" at ");
    return at == std::string::npos ? std::string() : text.substr(at + 4, 8);
  };
  const std::string first = address();
  ASSERT_EQ(first.size(), 8u);
  EXPECT_EQ(first.find_first_not_of("0123456789ABCDEF"), std::string::npos) << first;
  EXPECT_NE(first, "00000000");
  EXPECT_EQ(address(), first);
}

TEST(Startup, ShowsTheMainWindowWithTheTitleAndEndsWithCodeZero) {
  LauncherFolder folder(kMinimalConfig);
  ChildProcess launcher(folder.dir.file("suitestart.exe"), folder.dir.path());
  HWND main = launcher.waitWindow("SuiteStartForm", "Test Suite");
  ASSERT_TRUE(main);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(launcher.waitExit(), 0u);
}

TEST(Startup, MainThreadGoesWithoutAnInputMethodWindow) {
  LauncherFolder folder(kMinimalConfig);
  ChildProcess launcher(folder.dir.file("suitestart.exe"), folder.dir.path());
  HWND main = launcher.waitWindow("SuiteStartForm", "Test Suite");
  ASSERT_TRUE(main);
  // Once a button has the focus, a thread with an input method has its "IME" window.
  ASSERT_TRUE(test::WaitUntil([&] { return GetForegroundWindow() == main; }));
  std::vector<std::string> classes;
  EnumThreadWindows(
      GetWindowThreadProcessId(main, nullptr),
      [](HWND window, LPARAM list) -> BOOL {
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        reinterpret_cast<std::vector<std::string>*>(list)->push_back(name);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&classes));
  EXPECT_EQ(std::count(classes.begin(), classes.end(), "SuiteStartForm"), 1);
  EXPECT_EQ(std::count(classes.begin(), classes.end(), "IME"), 0);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(launcher.waitExit(), 0u);
}

TEST(Startup, TitleIsHeldToItsFirst255Bytes) {
  for (const size_t length : {256, 300, 1000}) {
    SCOPED_TRACE(length);
    std::string name;
    for (size_t i = 0; i < length; ++i) name += static_cast<char>('a' + i % 26);
    LauncherFolder folder("[SYSTEM]\nName=" + name + "\nSkin=0\nResFolder=test\n");
    ChildProcess launcher(folder.dir.file("suitestart.exe"), folder.dir.path());
    HWND main = launcher.waitWindow("SuiteStartForm");
    ASSERT_TRUE(main);
    EXPECT_EQ(test::WindowText(main), name.substr(0, 255));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.waitExit(), 0u);
  }
}

TEST(Startup, MissingNameGivesAnEmptyTitle) {
  LauncherFolder folder("[SYSTEM]\nSkin=0\nResFolder=test\n");
  ChildProcess launcher(folder.dir.file("suitestart.exe"), folder.dir.path());
  HWND main = launcher.waitWindow("SuiteStartForm");
  ASSERT_TRUE(main);
  EXPECT_EQ(test::WindowText(main), "");
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(launcher.waitExit(), 0u);
}

TEST(Startup, MaximisedShowCommandMaximisesTheMainWindow) {
  LauncherFolder folder(kMinimalConfig);
  ChildProcess launcher(folder.dir.file("suitestart.exe"), folder.dir.path(), SW_SHOWMAXIMIZED);
  HWND main = launcher.waitWindow("SuiteStartForm");
  ASSERT_TRUE(main);
  EXPECT_TRUE(test::WaitUntil([&] { return IsZoomed(main) != FALSE; }));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(launcher.waitExit(), 0u);
}

TEST(Startup, MinimisedShowCommandMinimisesTheApplicationInstead) {
  LauncherFolder folder(kMinimalConfig);
  ChildProcess launcher(folder.dir.file("suitestart.exe"), folder.dir.path(), SW_SHOWMINNOACTIVE);
  HWND app = nullptr;
  ASSERT_TRUE(test::WaitUntil([&] {
    const auto list = launcher.windows("SuiteStartApplication", "", false);
    app = list.empty() ? nullptr : list.front();
    return app && IsIconic(app);
  }));
  EXPECT_TRUE(launcher.windows("SuiteStartForm").empty());
  // Restoring the application shows the main window.
  PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  HWND main = launcher.waitWindow("SuiteStartForm");
  ASSERT_TRUE(main);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(launcher.waitExit(), 0u);
}

}  // namespace
}  // namespace ss
