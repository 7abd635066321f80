// The unpacked release packages on Windows, unsigned and signed: the launcher starts with its
// skin and closes with exit code 0, and the configuration tool passes the folder it ships with.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "config/config_file.h"
#include "config/global_vars.h"
#include "core/file_read.h"
#include "core/image_header.h"
#include "core/wide.h"
#include "test_support.h"
#include "ui/main/form_main_tables.h"

namespace ss {
namespace {

using test::ChildProcess;

// A package unpacked by the host tree (SS_DIST_PACKAGE unsigned, SS_SIGNED_PACKAGE signed);
// Wine shows the Unix root as drive Z:.
std::string PackageFolder(const char* variable = "SS_DIST_PACKAGE") {
  const char* unixPath = std::getenv(variable);
  if (!unixPath) return {};
  std::string path = std::string("Z:") + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path + "\\";
}

// Runs a console program with arguments (UTF-8, passed on as UTF-16); its exit code, and its
// output in `output`.
DWORD RunCaptured(const std::string& exe, const std::string& arguments, std::string& output) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return STILL_ACTIVE;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = writeEnd;
  std::wstring commandLine = Wide("\"" + exe + "\" " + arguments);
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(Wide(exe).c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                      CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
  // Our copy of the write end must go, or the read below never sees the end of the pipe.
  CloseHandle(writeEnd);
  DWORD code = STILL_ACTIVE;
  if (started) {
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0)
      output.append(chunk, got);
    WaitForSingleObject(process.hProcess, 30000);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(readEnd);
  return code;
}

// The package's launcher starts with its skin, shows no error box and ends with code 0.
void ExpectLauncherStartsWithItsSkin(const std::string& package) {
  const std::string launcher = package + "launcher\\";
  // The title and skin folder as the launcher's own reader finds them in the shipped settings.
  const ConfigStore store = LoadConfigStore(launcher + kConfigFileName);
  const std::string title = ReadValue(store, kSystemSection, "Name", "");
  const std::string skin = ReadValue(store, kSystemSection, "ResFolder", "");
  ASSERT_FALSE(title.empty());
  const BitmapSize glyph = BitmapFileSize(test::ReadFileBytes(
      launcher + main_window::kSkinRoot + skin + "\\" + main_window::kGlyphFile));

  ChildProcess process(launcher + "suitestart.exe", launcher);
  HWND main = process.waitWindow("SuiteStartForm", title);
  ASSERT_NE(main, nullptr) << "no launcher window titled " << title;
  // The skin loaded: the window has main.bmp's size and an outline cut from it.
  RECT client{};
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, glyph.width);
  EXPECT_EQ(client.bottom, glyph.height);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(main, region), COMPLEXREGION);
  RECT box{};
  GetRgnBox(region, &box);
  DeleteObject(region);
  EXPECT_LT(box.right, glyph.width);
  // No error box: configuration, icon and all 31 skin files were accepted.
  EXPECT_TRUE(process.windows("#32770").empty());
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(process.waitExit(), 0u);
}

TEST(ReleasePackage, LauncherStartsWithItsSkinAndEndsWithCodeZero) {
  const std::string package = PackageFolder();
  ASSERT_FALSE(package.empty()) << "SS_DIST_PACKAGE is not set";
  ExpectLauncherStartsWithItsSkin(package);
}

// Signing appends a certificate table and changes the header's checksum: the exe must still
// load as before.
TEST(ReleasePackage, SignedLauncherStartsWithItsSkinToo) {
  const std::string package = PackageFolder("SS_SIGNED_PACKAGE");
  ASSERT_FALSE(package.empty()) << "SS_SIGNED_PACKAGE is not set";
  ExpectLauncherStartsWithItsSkin(package);
}

TEST(ReleasePackage, WindowsConfigurationToolPassesTheShippedFolder) {
  const std::string package = PackageFolder();
  ASSERT_FALSE(package.empty()) << "SS_DIST_PACKAGE is not set";
  std::string output;
  const std::string tool = package + "tools\\suitestart-config.exe";
  EXPECT_EQ(RunCaptured(tool, "check \"" + package + "launcher\"", output), 0u) << output;
  EXPECT_NE(output.find("Layout: design (Skin=0)"), std::string::npos) << output;
  EXPECT_NE(output.find("\n0 errors, "), std::string::npos) << output;
  // A folder without the launcher's settings fails with exit code 1, naming the file.
  output.clear();
  EXPECT_EQ(RunCaptured(tool, "check \"" + package + "tools\"", output), 1u) << output;
  EXPECT_NE(output.find("error: tarvix.dll is missing"), std::string::npos) << output;
}

// WinVerifyTrust's judgement: the signer named, and a launcher changed after signing refused.
// (Wine judges no certificate, so the tool only says the signature matches; Windows would warn
// of the self-signed test certificate. Both exit with code 0.)
TEST(ReleasePackage, WindowsConfigurationToolNamesTheSignerAndRefusesAChangedExe) {
  const std::string package = PackageFolder("SS_SIGNED_PACKAGE");
  ASSERT_FALSE(package.empty()) << "SS_SIGNED_PACKAGE is not set";
  std::string output;
  const std::string tool = package + "tools\\suitestart-config.exe";
  EXPECT_EQ(RunCaptured(tool, "check \"" + package + "launcher\"", output), 0u) << output;
  EXPECT_NE(output.find("\nSignature: signed by CN=Suite Test Signer, O=Test, "), std::string::npos)
      << output;
  // Wine does not judge the certificate's trust: the tool claims no more than the match.
  EXPECT_EQ(output.find(", verified\n"), std::string::npos) << output;
  // tests/e2e/sign_test.sh leaves a copy with one byte of the code flipped beside the package.
  output.clear();
  EXPECT_EQ(RunCaptured(tool, "check \"" + package + "..\\..\\flipped\"", output), 1u) << output;
  EXPECT_NE(output.find("error: suitestart.exe's signature does not verify (the file has changed "
                        "since it was signed"),
            std::string::npos)
      << output;
  // And a copy with one byte of the signature's own value flipped.
  output.clear();
  EXPECT_EQ(RunCaptured(tool, "check \"" + package + "..\\..\\resigned\"", output), 1u) << output;
  EXPECT_NE(output.find("error: suitestart.exe's signature does not verify"), std::string::npos)
      << output;
}

// Names outside every ANSI code page: the tool packs and checks in a folder named in Greek
// (tests/e2e/dist_test.sh copies the launcher folder and its clear settings there) and writes
// the name into a pipe as UTF-8.
TEST(ReleasePackage, WindowsConfigurationToolPacksAndChecksInAFolderNamedInGreek) {
  const std::string package = PackageFolder();
  ASSERT_FALSE(package.empty()) << "SS_DIST_PACKAGE is not set";
  // No backslash before a closing quote, which would escape it.
  const std::string greek = package + "..\\..\\\u03A9\u03BC\u03AD\u03B3\u03B1";
  const std::string tool = package + "tools\\suitestart-config.exe";
  std::string output;
  ASSERT_EQ(
      RunCaptured(tool, "pack \"" + greek + "\\s.ini\" \"" + greek + "\\packed.dll\"", output), 0u)
      << output;
  EXPECT_EQ(ReadWholeFile(greek + "\\packed.dll"), ReadWholeFile(greek + "\\tarvix.dll"));
  output.clear();
  EXPECT_EQ(RunCaptured(tool, "check \"" + greek + "\"", output), 0u) << output;
  EXPECT_NE(output.find("\u03A9\u03BC\u03AD\u03B3\u03B1"), std::string::npos) << output;
  EXPECT_NE(output.find("\n0 errors, "), std::string::npos) << output;
}

}  // namespace
}  // namespace ss
