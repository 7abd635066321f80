// The real launcher on damaged and oversized inputs: each gives its error box, never a crash
// or a hang.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/error_text.h"
#include "test_support.h"

namespace ss {
namespace {

using test::ChildProcess;
using test::LauncherFolder;

constexpr const char* kTitle = "Robust Suite";
constexpr const char* kConfig = "[SYSTEM]\nName=Robust Suite\nSkin=0\nResFolder=test\n";
constexpr size_t k64MiB = 64u << 20;
// Generous bounds that only a hang exceeds, also for the 64 MiB inputs on a busy machine.
constexpr DWORD kTimeoutMs = 30000;

void Put32(std::string& bytes, size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i));
}

void Put16(std::string& bytes, size_t offset, std::uint16_t value) {
  bytes[offset] = static_cast<char>(value);
  bytes[offset + 1] = static_cast<char>(value >> 8);
}

std::string PlainBitmap(int width, int height) {
  return test::BitmapFileBytes(width, height, [](int x, int y) { return RGB(x, y, 90); });
}

// Starts the launcher and expects one error box, titled with the application title, while the
// main window is created; closes it, then expects the main window, closes that and checks exit
// code 0. Returns the box's text.
std::string WindowErrorText(const LauncherFolder& folder, const std::string& title) {
  ChildProcess launcher(folder.dir.file("suitestart.exe"), folder.dir.path());
  HWND box = launcher.waitWindow("#32770", title, kTimeoutMs);
  if (!box) {
    ADD_FAILURE() << "no error box; exit code " << launcher.waitExit(0);
    return {};
  }
  // Polled for the same reason as the title below: right after a long read the launcher may
  // count as hung for a moment.
  std::string text;
  test::WaitUntil([&] { return !(text = test::MessageBoxText(box)).empty(); }, kTimeoutMs);
  test::CloseMessageBox(box);
  HWND main = launcher.waitWindow("SuiteStartForm", title, kTimeoutMs);
  EXPECT_TRUE(main) << "no main window after the error box";
  if (main) PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(launcher.waitExit(kTimeoutMs), 0u);
  return text;
}

// Starts the launcher and expects its main window with `title` and no error box; closes it
// and checks exit code 0.
void ExpectCleanStart(const LauncherFolder& folder, const std::string& title) {
  ChildProcess launcher(folder.dir.file("suitestart.exe"), folder.dir.path());
  HWND main = launcher.waitWindow("SuiteStartForm", "", kTimeoutMs);
  ASSERT_TRUE(main) << "no main window; exit code " << launcher.waitExit(0);
  // An error of the creation step is shown before the window is, so it would be up by now.
  EXPECT_TRUE(launcher.windows("#32770").empty());
  // Polled: after seconds of reading without pumping messages the launcher counts as hung, and
  // Wine fails a WM_GETTEXT sent with SMTO_ABORTIFHUNG at once until it pumps again.
  EXPECT_TRUE(test::WaitUntil([&] { return test::WindowText(main) == title; }, kTimeoutMs))
      << test::WindowText(main);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(launcher.waitExit(kTimeoutMs), 0u);
}

// ---- The icon: each damage ends the start-up with the "Application Error" box. ----

struct IconCase {
  const char* name;
  std::function<std::string()> bytes;
  const char* errorClass;
  const char* message;
};

TEST(RobustIcon, DamagedIconsEndTheStartUpWithTheirError) {
  // The sample's directory: header (6 bytes), then one 16-byte entry whose image size stands at
  // byte 14 and image offset at byte 18.
  const std::vector<IconCase> cases{
      {"zero bytes", [] { return std::string(); }, "EReadError", "Stream read error"},
      {"header only", [] { return test::SampleIconFile().substr(0, 6); }, "EInvalidGraphic",
       "Icon image is not valid"},
      {"truncated directory", [] { return test::SampleIconFile().substr(0, 6 + 8); },
       "EInvalidGraphic", "Icon image is not valid"},
      {"image offset outside the file",
       [] {
         std::string ico = test::SampleIconFile();
         Put32(ico, 18, 0x7FFFFFF0);
         return ico;
       },
       "EInvalidGraphic", "Icon image is not valid"},
      {"image size past the end",
       [] {
         std::string ico = test::SampleIconFile();
         Put32(ico, 14, 0xFFFFFFF0);
         return ico;
       },
       "EInvalidGraphic", "Icon image is not valid"},
      {"huge image count",
       [] {
         std::string ico = test::SampleIconFile();
         Put16(ico, 4, 0xFFFF);
         return ico;
       },
       "EInvalidGraphic", "Icon image is not valid"},
      {"file cut inside the image", [] { return test::SampleIconFile().substr(0, 600); },
       "EInvalidGraphic", "Icon image is not valid"},
  };
  for (const IconCase& c : cases) {
    SCOPED_TRACE(c.name);
    LauncherFolder folder(kConfig);
    test::WriteFileBytes(folder.dir.file("icon.ico"), c.bytes());
    EXPECT_EQ(test::StartupErrorText(folder, kTimeoutMs),
              std::string("Exception ") + c.errorClass +
                  " in module suitestart.exe at ADDRESS.\r\n" + c.message + ".\r\n");
  }
}

TEST(RobustIcon, ImageWithHugeSidesInsideAValidDirectoryNeverCrashes) {
  // The directory is sound; the image's own header claims 0x7FFFFFFF pixels a side. Whether the
  // system turns it down or not, the launcher either starts or ends with the icon's error.
  LauncherFolder folder(kConfig);
  std::string ico = test::SampleIconFile();
  Put32(ico, 22 + 4, 0x7FFFFFFF);
  Put32(ico, 22 + 8, 0x7FFFFFFE);
  test::WriteFileBytes(folder.dir.file("icon.ico"), ico);
  ChildProcess launcher(folder.dir.file("suitestart.exe"), folder.dir.path());
  HWND seen = nullptr;
  ASSERT_TRUE(test::WaitUntil(
      [&] {
        const auto boxes = launcher.windows("#32770", "Application Error");
        const auto mains = launcher.windows("SuiteStartForm");
        seen = !boxes.empty() ? boxes.front() : !mains.empty() ? mains.front() : nullptr;
        return seen != nullptr || !launcher.running();
      },
      kTimeoutMs));
  ASSERT_TRUE(seen) << "ended without a window; exit code " << launcher.waitExit(0);
  if (test::WindowClass(seen) == "#32770") {
    EXPECT_NE(test::MessageBoxText(seen).find("\r\nIcon image is not valid.\r\n"),
              std::string::npos)
        << test::MessageBoxText(seen);
    test::CloseMessageBox(seen);
    EXPECT_EQ(launcher.waitExit(kTimeoutMs), 1u);
  } else {
    EXPECT_EQ(test::WindowText(seen), kTitle);
    PostMessageA(seen, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.waitExit(kTimeoutMs), 0u);
  }
}

// ---- Skin bitmaps: the standard error box, and the window still opens. ----

struct BitmapCase {
  const char* name;
  std::function<std::string()> bytes;
};

std::vector<BitmapCase> DamagedBitmaps() {
  return {
      {"zero bytes", [] { return std::string(); }},
      {"truncated header", [] { return PlainBitmap(20, 10).substr(0, 30); }},
      {"truncated pixels",
       [] {
         const std::string bmp = PlainBitmap(20, 10);
         return bmp.substr(0, bmp.size() - 7);
       }},
      {"huge sides in the header",
       [] {
         std::string bmp = PlainBitmap(20, 10);
         Put32(bmp, 18, 0x7FFFFFFF);
         Put32(bmp, 22, 0x7FFFFFFF);
         return bmp;
       }},
      {"a side over the limit",
       [] {
         std::string bmp = PlainBitmap(8, 8);
         Put32(bmp, 18, 40000);
         Put32(bmp, 22, 1);
         return bmp + std::string(40000 * 3, '\x55');
       }},
      {"64 MiB that still falls short of its 30000 x 30000 pixels",
       [] {
         std::string bmp = PlainBitmap(4, 4);
         Put32(bmp, 18, 30000);
         Put32(bmp, 22, 30000);
         bmp.resize(k64MiB, '\x33');
         return bmp;
       }},
  };
}

TEST(RobustSkin, DamagedMainBitmapGivesTheErrorBoxAndTheWindowStillOpens) {
  for (const BitmapCase& c : DamagedBitmaps()) {
    SCOPED_TRACE(c.name);
    LauncherFolder folder(kConfig);
    test::WriteFileBytes(folder.dir.file("sounds\\test\\main.bmp"), c.bytes());
    EXPECT_EQ(WindowErrorText(folder, kTitle), "Bitmap image is not valid.");
  }
}

TEST(RobustSkin, DamagedButtonPictureGivesTheErrorBoxAndTheWindowStillOpens) {
  for (const BitmapCase& c : DamagedBitmaps()) {
    SCOPED_TRACE(c.name);
    LauncherFolder folder(kConfig);
    test::WriteFileBytes(folder.dir.file("sounds\\test\\8.bmp"), c.bytes());
    EXPECT_EQ(WindowErrorText(folder, kTitle), "Bitmap image is not valid.");
  }
}

TEST(RobustSkin, BitmapsLargerThanAnyRealSkinStillLoad) {
  {
    SCOPED_TRACE("a button picture of 64 MiB: a small bitmap with junk behind its pixels");
    LauncherFolder folder(kConfig);
    std::string bmp = PlainBitmap(99, 108);
    bmp.resize(k64MiB, '\x7F');
    test::WriteFileBytes(folder.dir.file("sounds\\test\\1.bmp"), bmp);
    ExpectCleanStart(folder, kTitle);
  }
  {
    SCOPED_TRACE("a main bitmap of 5000 x 3000 pixels (45 MB)");
    LauncherFolder folder(kConfig);
    test::WriteFileBytes(folder.dir.file("sounds\\test\\main.bmp"), PlainBitmap(5000, 3000));
    ExpectCleanStart(folder, kTitle);
  }
}

// ---- The configuration: 64 MiB files and control bytes. ----

TEST(RobustConfig, SixtyFourMiBConfigurationsStartWithTheirSettings) {
  {
    SCOPED_TRACE("valid settings followed by 64 MiB of short stray lines");
    LauncherFolder folder(kConfig);
    const std::string junk = test::Scramble("=\nx=y\n[\n; note\nbare\n#k=v\n\n");
    std::string stored = test::Scramble(kConfig);
    while (stored.size() < k64MiB) stored += junk;
    test::WriteFileBytes(folder.dir.file("tarvix.dll"), stored);
    ExpectCleanStart(folder, kTitle);
  }
  {
    SCOPED_TRACE("64 MiB of line breaks in every order before the settings");
    LauncherFolder folder(kConfig);
    std::string stored;
    stored.reserve(k64MiB + 100);
    while (stored.size() < k64MiB) stored += "\r\n\n\r\r\r\n\n";
    stored += test::Scramble(kConfig);
    test::WriteFileBytes(folder.dir.file("tarvix.dll"), stored);
    ExpectCleanStart(folder, kTitle);
  }
  {
    SCOPED_TRACE("a name of 64 MiB on one line");
    LauncherFolder folder(kConfig);
    std::string name;
    name.reserve(k64MiB);
    while (name.size() < k64MiB) name += "0123456789";
    test::WriteFileBytes(folder.dir.file("tarvix.dll"),
                         test::Scramble("[SYSTEM]\nSkin=0\nResFolder=test\nName=" + name + "\n"));
    ExpectCleanStart(folder, name.substr(0, 255));
  }
}

TEST(RobustConfig, ConfigurationOfControlBytesHasNoSettings) {
  // 0x00 ends the text, so settings behind it are never read: no title, and "Skin" is empty.
  const std::string error = ErrorBoxText("'' is not a valid integer value");
  {
    SCOPED_TRACE("64 MiB of 0x00, 0x0A and 0x0D, settings at the end");
    LauncherFolder folder(kConfig);
    std::string stored;
    stored.reserve(k64MiB + 100);
    while (stored.size() < k64MiB / 2) stored += "\n\r\r\n\n";
    stored += '\0';
    while (stored.size() < k64MiB) stored += std::string("\r\0\n", 3);
    stored += test::Scramble(kConfig);
    test::WriteFileBytes(folder.dir.file("tarvix.dll"), stored);
    EXPECT_EQ(WindowErrorText(folder, ""), error);
  }
  {
    SCOPED_TRACE("a 0x00 byte first");
    LauncherFolder folder(kConfig);
    test::WriteFileBytes(folder.dir.file("tarvix.dll"), '\0' + test::Scramble(kConfig));
    EXPECT_EQ(WindowErrorText(folder, ""), error);
  }
}

}  // namespace
}  // namespace ss
