// Any folder, any language: the launcher in a folder named in several scripts, product names
// beyond the system's code page, legacy settings, long titles and links with any characters.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "config/global_vars.h"
#include "core/wide.h"
#include "gui/application.h"
#include "gui/start_file.h"
#include "input_support.h"
#include "shell/paths.h"
#include "shell/shell.h"
#include "test_support.h"
#include "ui/about/form_about.h"
#include "ui/main/form_main.h"

namespace ss {
namespace {

using namespace main_window;

// "Łódź 日本 Ελλάδα": Polish, Japanese and Greek, with spaces.
constexpr const char* kFolderName =
    " \xC5\x81\xC3\xB3"
    "d\xC5\xBA \xE6\x97\xA5\xE6\x9C\xAC \xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC"
    "\xCE\xB4\xCE\xB1";
// "Пакет Тест": a Cyrillic product name, written as UTF-8 in the settings.
constexpr const char* kCyrillicName =
    "\xD0\x9F\xD0\xB0\xD0\xBA\xD0\xB5\xD1\x82 \xD0\xA2\xD0\xB5\xD1\x81\xD1\x82";

std::string Config(const std::string& name, const std::string& extra = "") {
  return "[SYSTEM]\nName=" + name + "\nVersion=1.0\nSkin=0\nResFolder=test\n" + extra;
}

// The launcher's data folder for a title, which a test removes again.
std::string DataFolder(const std::string& title) {
  return WithTrailingBackslash(ReadShellFolder("AppData")) + title + "\\";
}

TEST(UnicodeLauncher, StartsFromAFolderOfAnyScriptAndStartsItsTools) {
  test::LauncherFolder folder(Config(kCyrillicName), true, kFolderName);
  test::CopyFileOrFail(test::BinFolder() + "ss_stub_tool.exe", folder.dir.file("FileWrite.exe"));
  test::ChildProcess launcher(folder.dir.file("suitestart.exe"), folder.dir.path());
  HWND window = launcher.waitWindow("SuiteStartForm");
  ASSERT_NE(window, nullptr) << "no launcher window";
  EXPECT_EQ(test::WindowText(window), kCyrillicName);
  EXPECT_TRUE(test::FileExists(DataFolder(kCyrillicName)));

  // A click on Button1 starts FileWrite.exe by its full path in that folder.
  HWND button1 = ChildWindowFromPoint(window, POINT{kButtons[2].left + 10, kButtons[2].top + 10});
  ASSERT_NE(button1, window);
  PostMessageW(button1, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(button1, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(test::WaitUntil([&] {
    return test::ReadFileBytes(folder.dir.file("started.log")) == "FileWrite.exe|\r\n";
  })) << test::ReadFileBytes(folder.dir.file("started.log"));
  RemoveDirectoryW(Wide(DataFolder(kCyrillicName)).c_str());
}

TEST(UnicodeLauncher, LegacyBytesInTheSettingsShowAsTheSystemCodePageHasThem) {
  // "Caf\xE9" as every settings file written in Windows-1252 has it.
  test::LauncherFolder folder(Config("Caf\xE9"));
  test::ChildProcess launcher(folder.dir.file("suitestart.exe"), folder.dir.path());
  HWND window = launcher.waitWindow("SuiteStartForm");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(test::WindowText(window), "Caf\xC3\xA9");
  RemoveDirectoryW(Wide(DataFolder("Caf\xC3\xA9")).c_str());
}

// The launcher's window and About dialog built in this process from a launcher folder.
class UnicodeForm : public testing::Test {
 protected:
  void TearDown() override {
    form_.reset();
    SetExeFolderOverride("");
    SetShellOpenFunction(nullptr);
    Application::Instance().setTitle("");
  }

  TFormMain& build(const std::string& title, const std::string& extra = "") {
    folder_ = std::make_unique<test::LauncherFolder>(Config(title, extra));
    SetExeFolderOverride(folder_->dir.path());
    GlobalVars = TGlobalVars();
    Application::Instance().setTitle(title);
    form_ = std::make_unique<TFormMain>();
    form_->show();
    return *form_;
  }

  std::unique_ptr<test::LauncherFolder> folder_;
  std::unique_ptr<TFormMain> form_;
};

// The info line as the labels draw `text` in their rectangles: the white copy, then the dark
// one over it.
Bitmap ExpectedInfoLine(const Bitmap& background, const TFormMain& form, const std::string& text,
                        const std::vector<RECT>& places) {
  Bitmap expected = background;
  BitmapDc dc(expected.handle());
  SetBkMode(dc.get(), TRANSPARENT);
  const std::wstring wide = Wide(text);
  const Label* labels[] = {&form.LabelInfo2, &form.LabelInfo1};
  for (size_t i = 0; i < 2; ++i) {
    const FontSpec& style = labels[i]->font();
    FontHandle font(CreateFontFromSpec(style));
    SelectObjectScope select(dc.get(), font.get());
    SetTextColor(dc.get(), style.color);
    RECT r = places[i];
    DrawTextW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &r, DT_LEFT | DT_EXPANDTABS);
  }
  return expected;
}

bool SamePixels(const Bitmap& a, const Bitmap& b) {
  return a.pixels() == b.pixels();
}

TEST_F(UnicodeForm, ACyrillicNameShowsInTheTitleTheInfoLineAndTheAboutDialog) {
  TFormMain& form = build(kCyrillicName);
  EXPECT_EQ(form.caption(), kCyrillicName);
  const std::string welcome = std::string("Welcome to ") + kCyrillicName + "!";
  ASSERT_EQ(form.LabelInfo1.caption(), welcome);

  // The line on the screen is the text drawn by the wide functions, not question marks.
  const Bitmap shown = test::Composed(form.handle());
  const std::vector<RECT> places{form.LabelInfo2.boundsRect(), form.LabelInfo1.boundsRect()};
  form.SetInfoText("");
  const Bitmap blank = test::Composed(form.handle());
  EXPECT_TRUE(SamePixels(shown, ExpectedInfoLine(blank, form, welcome, places)));
  const std::string questionMarks =
      "Welcome to ????? ????"
      "!";
  EXPECT_FALSE(SamePixels(shown, ExpectedInfoLine(blank, form, questionMarks, places)));

  TfrmAbout about;
  about.show();
  EXPECT_EQ(about.lblAppName.caption(), kCyrillicName);
  EXPECT_EQ(test::WindowText(about.handle()), std::string("About ") + kCyrillicName);
  RemoveDirectoryW(Wide(GlobalVars.SettingsFolder).c_str());
}

TEST_F(UnicodeForm, LinksReachTheShellAsWritten) {
  // "https://пример.рф/страница?q=ü"
  const std::string link =
      "https://\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84/"
      "\xD1\x81\xD1\x82\xD1\x80\xD0\xB0\xD0\xBD\xD0\xB8\xD1\x86\xD0\xB0?q=\xC3\xBC";
  TFormMain& form = build("Suite", "HelpHomePageLink=" + link + "\n");
  std::vector<std::string> opened;
  SetShellOpenFunction([&](void*, const std::string& target, int) { opened.push_back(target); });
  SendMessageW(form.ButtonHome.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(form.ButtonHome.handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(opened, std::vector<std::string>{link});
  RemoveDirectoryW(Wide(GlobalVars.SettingsFolder).c_str());
}

TEST_F(UnicodeForm, ReadsItsFilesFromAFolderPathOfAnyLength) {
  // Over 300 characters: the settings, the skin and the data folder come from where they are,
  // never from a path cut short. (Wine starts no program from such a folder, so the window is
  // built here, pointed at it.)
  const std::string level(100, 'x');
  folder_ = std::make_unique<test::LauncherFolder>(Config("Long", "HelpHomePageLink=far\n"), true,
                                                   "\\" + level + "\\" + level + "\\" + level);
  ASSERT_GT(folder_->dir.path().size(), 300u);
  SetExeFolderOverride(folder_->dir.path());
  GlobalVars = TGlobalVars();
  Application::Instance().setTitle("Long");
  form_ = std::make_unique<TFormMain>();
  EXPECT_EQ(GlobalVars.HelpHomePageLink, "far");
  EXPECT_EQ(form_->SkinFormMain.Glyph().width(), kDesignClientWidth);
  EXPECT_FALSE(form_->ButtonMoreFreeTools.PicMouseDown().empty());
  RemoveDirectoryW(Wide(GlobalVars.SettingsFolder).c_str());
}

TEST(UnicodeTitle, ALongTitleIsCutBetweenCharacters) {
  Application& app = Application::Instance();
  std::string cyrillic;
  for (int i = 0; i < 300; ++i) cyrillic += "\xD0\x96";
  app.setTitle(cyrillic);
  EXPECT_EQ(app.title(), cyrillic.substr(0, 2 * 255));
  // A character outside the basic plane takes two units and is never split.
  app.setTitle(std::string(254, 'a') + "\xF0\x9F\x98\x80");
  EXPECT_EQ(app.title(), std::string(254, 'a'));
  app.setTitle("");
}

}  // namespace
}  // namespace ss
