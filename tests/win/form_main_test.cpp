// The launcher window built in the test process from a launcher folder made by the test:
// both layouts, creation errors, the data folder, hover texts, commands and menus.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "config/global_vars.h"
#include "config/language.h"
#include "gui/dpi.h"
#include "gui/application.h"
#include "input_support.h"
#include "shell/paths.h"
#include "gui/start_file.h"
#include "shell/shell.h"
#include "core/system_error.h"
#include "core/error_text.h"
#include "test_support.h"
#include "ui/main/form_main.h"

// Rectangles compare and print in the test's expectations (found by lookup in the global
// namespace, where RECT lives).
inline bool operator==(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace ss {
namespace {

using namespace main_window;

constexpr COLORREF kKey = 0xFF00FF;
constexpr const char* kTitle = "Launcher Test Suite";

// Colours of a button's three pictures, distinct per button.
COLORREF PictureColor(size_t button, int look) {
  return RGB(40 + 20 * static_cast<int>(button), 60 + 60 * look,
             200 - 15 * static_cast<int>(button));
}

// Picture size of a button in the test skins: deliberately not its design size.
SIZE PictureSize(const ButtonLayout& b) {
  return SIZE{b.width - 5, b.height + 3};
}

// Records the text of every message box this thread shows and presses its OK.
class MessageBoxCatcher {
 public:
  MessageBoxCatcher() {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 30, &MessageBoxCatcher::Tick);
  }
  ~MessageBoxCatcher() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  std::vector<std::pair<std::string, std::string>> boxes;  // title, text

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
          if (test::WindowClass(window) == "#32770" && IsWindowVisible(window) && current_) {
            current_->boxes.emplace_back(test::WindowText(window), test::MessageBoxText(window));
            test::CloseMessageBox(window);
          }
          return TRUE;
        },
        0);
  }
  static MessageBoxCatcher* current_;
  UINT_PTR timer_;
};
MessageBoxCatcher* MessageBoxCatcher::current_ = nullptr;

class FormMainTest : public testing::Test {
 protected:
  void SetUp() override {
    SetExeFolderOverride(dir_.path());
    GlobalVars = TGlobalVars();
    Application::Instance().setTitle(kTitle);
    for (const char* program : kAllPrograms) {
      test::CopyFileOrFail(test::BinFolder() + "ss_stub_tool.exe", dir_.file(program));
    }
  }
  void TearDown() override {
    test::ReleaseInput();
    form_.reset();
    LauncherLanguage = Language();
    SetExeFolderOverride("");
    SetShellOpenFunction(nullptr);
  }

  void writeConfig(const std::string& skin, const std::string& extra = "") {
    test::WriteFileBytes(dir_.file("tarvix.dll"),
                         test::Scramble("[SYSTEM]\r\nVersion=1.0\r\nCopyright=Us\r\nSkin=" + skin +
                                        "\r\nResFolder=blue\r\n" + extra));
  }

  // A skin in sounds\blue\: a grey main bitmap with a fuchsia border and plain pictures.
  void writeSkin(int mainWidth, int mainHeight, const char* skipFile = nullptr) {
    const std::string folder = dir_.file("sounds\\");
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "blue\\").c_str(), nullptr);
    auto write = [&](const char* name, int w, int h, COLORREF color) {
      if (skipFile && std::string(name) == skipFile) return;
      test::WriteFileBytes(folder + "blue\\" + name, test::BitmapFileBytes(w, h, [&](int x, int y) {
                             return (x < 2 || y < 2 || x >= w - 2 || y >= h - 2) ? kKey : color;
                           }));
    };
    write(kGlyphFile, mainWidth, mainHeight, RGB(128, 128, 128));
    for (size_t i = 0; i < kButtons.size(); ++i) {
      const SIZE size = PictureSize(kButtons[i]);
      for (int look = 0; look < 3; ++look) {
        write(kButtons[i].skinFiles[static_cast<size_t>(look)], size.cx, size.cy,
              PictureColor(i, look));
      }
    }
  }

  TFormMain& build() {
    MessageBoxCatcher catcher;
    form_ = std::make_unique<TFormMain>();
    boxes_ = catcher.boxes;
    return *form_;
  }

  std::string startedLog() const { return test::ReadFileBytes(dir_.file("started.log")); }
  bool waitStarted(const std::string& record) {
    return test::PumpUntil([&] { return startedLog().find(record) != std::string::npos; }, 10000);
  }
  std::string welcome() const { return std::string("Welcome to ") + kTitle + "!"; }

  test::TempDir dir_;
  std::unique_ptr<TFormMain> form_;
  std::vector<std::pair<std::string, std::string>> boxes_;
};

TEST_F(FormMainTest, DesignLayoutKeepsEveryButtonAtItsDesignBounds) {
  for (const char* skin : {"0", "2"}) {
    writeConfig(skin);
    writeSkin(444, 217);
    TFormMain& form = build();
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(form.clientWidth(), 444);
    EXPECT_EQ(form.clientHeight(), 217);
    for (size_t i = 0; i < kButtons.size(); ++i) {
      const ButtonLayout& b = kButtons[i];
      TImageButton& button = form.button(b.id);
      EXPECT_EQ(button.boundsRect(), (RECT{b.left, b.top, b.left + b.width, b.top + b.height}))
          << b.name;
      EXPECT_EQ(button.PicNormal().width(), PictureSize(b).cx) << b.name;
      EXPECT_FALSE(button.PicMouseDown().empty());
      EXPECT_EQ(button.tabOrder(), b.tabOrder);
    }
    EXPECT_TRUE(form.LabelInfo2.visible());
    EXPECT_EQ(form.LabelInfo2.left(), 17);
    EXPECT_EQ(form.LabelInfo1.left(), 16);
    EXPECT_EQ(form.LabelInfo1.top(), 160);
    EXPECT_EQ(form.LabelInfo1.font().color, 0x2C2C2Du);
    EXPECT_EQ(form.LabelInfo2.font().color, 0xFFFFFFu);
    EXPECT_EQ(form.LabelInfo1.caption(), welcome());
    EXPECT_EQ(form.LabelInfo2.caption(), welcome());
    EXPECT_EQ(form.caption(), kTitle);
    form_.reset();
  }
}

TEST_F(FormMainTest, AlternativeLayoutMovesEveryButtonAndSizesItToItsPicture) {
  writeConfig("1");
  writeSkin(640, 480);
  TFormMain& form = build();
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(form.clientWidth(), 640);
  for (const ButtonLayout& b : kButtons) {
    const SIZE size = PictureSize(b);
    EXPECT_EQ(form.button(b.id).boundsRect(),
              (RECT{b.altLeft, b.altTop, b.altLeft + size.cx, b.altTop + size.cy}))
        << b.name;
  }
  EXPECT_FALSE(form.LabelInfo2.visible());
  EXPECT_EQ(form.LabelInfo2.caption(), welcome());
  EXPECT_EQ(form.LabelInfo1.boundsRect(), (RECT{184, 120, 184 + 217, 120 + 57}));
  EXPECT_TRUE(form.LabelInfo1.wordWrap());
  EXPECT_FALSE(form.LabelInfo1.autoSize());
  EXPECT_EQ(form.LabelInfo1.font().color, 0xFFFFFFu);
  // A long text wraps inside the box instead of widening it.
  form.SetInfoText(kMoreToolsHover);
  EXPECT_EQ(form.LabelInfo1.width(), 217);
}

TEST_F(FormMainTest, MissingPictureStopsTheCreationStepWhereItFailed) {
  writeConfig("1");
  writeSkin(640, 480, "7.bmp");
  TFormMain& form = build();
  const std::string path = dir_.file("sounds\\blue\\7.bmp");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].first, kTitle);
  EXPECT_EQ(boxes_[0].second,
            ErrorBoxText(FileOpenMessage(path, SystemErrorText(ERROR_FILE_NOT_FOUND))));
  for (const ButtonLayout& b : kButtons) {
    const bool loaded = b.id == ButtonId::Min || b.id == ButtonId::Close || b.id == ButtonId::One ||
                        b.id == ButtonId::Two;
    EXPECT_EQ(form.button(b.id).PicNormal().empty(), !loaded) << b.name;
    // The layout step never ran.
    EXPECT_EQ(form.button(b.id).left(), b.left) << b.name;
  }
  EXPECT_EQ(form.LabelInfo1.caption(), kDesignInfoCaption);
  EXPECT_TRUE(GlobalVars.SettingsFolder.empty());
  MSG msg;
  EXPECT_FALSE(
      PeekMessageA(&msg, form.handle(), WM_LAUNCHER_STARTED, WM_LAUNCHER_STARTED, PM_NOREMOVE));
}

TEST_F(FormMainTest, InvalidSkinValueShowsTheConversionErrorAndLoadsNoSkin) {
  writeConfig("one", "HelpHomePageLink=home\r\n");
  writeSkin(444, 217);
  TFormMain& form = build();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].second, "'one' is not a valid integer value.");
  EXPECT_TRUE(form.SkinFormMain.Glyph().empty());
  EXPECT_TRUE(form.Button1.PicNormal().empty());
  EXPECT_EQ(form.LabelInfo1.caption(), "Welcome to!");
  EXPECT_EQ(GlobalVars.Version, "1.0");
  EXPECT_EQ(GlobalVars.HelpHomePageLink, "");
  EXPECT_EQ(form.clientWidth(), kDesignClientWidth);
}

TEST_F(FormMainTest, DataFolderIsNamedAfterTheTitleWithForbiddenCharactersAsSpaces) {
  writeConfig("0");
  writeSkin(444, 217);
  Application::Instance().setTitle("Suite/Test\\Data");
  build();
  const std::string appData = WithTrailingBackslash(ReadShellFolder("AppData"));
  EXPECT_EQ(GlobalVars.SettingsFolder, appData + "Suite Test Data\\");
  EXPECT_TRUE(test::FileExists(GlobalVars.SettingsFolder));
  RemoveDirectoryA(GlobalVars.SettingsFolder.c_str());
}

TEST_F(FormMainTest, RightToLeftLanguageMirrorsBothLayoutsAndKeepsThemAtANewDpi) {
  LauncherLanguage =
      Language({*ParseLanguageFile("ar", "[LANGUAGE]\nDirection=RTL\n")}, DecodeWindows1252);
  // Windows wider than the design's: the mirror is the window's, as its skin sizes it.
  for (const char* skin : {"0", "1"}) {
    SCOPED_TRACE(skin);
    const bool alternative = skin == std::string("1");
    writeConfig(skin);
    writeSkin(alternative ? 640 : 460, alternative ? 480 : 217);
    TFormMain& form = build();
    EXPECT_TRUE(boxes_.empty());
    for (const int dpi : {96, 144}) {
      if (dpi != form.dpi()) {
        RECT suggested{0, 0, Scaled(640, dpi), Scaled(480, dpi)};
        SendMessageW(form.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
      }
      const int width = form.clientWidth();
      EXPECT_EQ(width, Scaled(alternative ? 640 : 460, dpi));
      for (const ButtonLayout& b : kButtons) {
        const TImageButton& button = form.button(b.id);
        // Right edges stand where the design's left edges stand, from the window's right.
        EXPECT_EQ(width - button.left() - button.width(),
                  Scaled(alternative ? b.altLeft : b.left, dpi))
            << b.name << " at " << dpi;
        EXPECT_EQ(button.top(), Scaled(alternative ? b.altTop : b.top, dpi)) << b.name;
      }
      const LabelLayout& line = alternative ? kAltLabelInfo1 : kLabelInfo1;
      const int lineRight = width - Scaled(line.left, dpi);
      EXPECT_EQ(form.LabelInfo1.left() + form.LabelInfo1.width(), lineRight) << dpi;
      // A longer text grows the line leftwards.
      form.SetInfoText(kMoreToolsHover);
      EXPECT_EQ(form.LabelInfo1.left() + form.LabelInfo1.width(), lineRight) << dpi;
    }
    form_.reset();
  }
}

class ShownFormMainTest : public FormMainTest {
 protected:
  TFormMain& buildShown() {
    writeConfig("0");
    writeSkin(444, 217);
    TFormMain& form = build();
    form.show();
    SetForegroundWindow(form.handle());
    EXPECT_TRUE(test::PumpUntil([&] { return form.ButtonMin.focused(); }));
    return form;
  }
  POINT centreOf(const Control& control) {
    POINT p{control.left() + control.width() / 2, control.top() + control.height() / 2};
    ClientToScreen(form_->handle(), &p);
    return p;
  }
  void clickOn(const Control& control) {
    test::MouseTo(centreOf(control));
    test::PumpUntil([&] { return Application::Instance().mouseControl() == &control; }, 2000);
    test::MouseButton(MOUSEEVENTF_LEFTDOWN);
    test::MouseButton(MOUSEEVENTF_LEFTUP);
  }
};

TEST_F(ShownFormMainTest, OpensCentredOnThePrimaryMonitorAndStartsTheCompanionOnce) {
  TFormMain& form = buildShown();
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(form.left(), (screenWidth - form.width()) / 2);
  EXPECT_EQ(form.top(), (screenHeight - form.height()) / 2);
  ASSERT_TRUE(waitStarted("kestrel.exe|"));
  test::PumpTicks(5, 50);
  const std::string log = startedLog();
  EXPECT_EQ(log.find("kestrel.exe|"), log.rfind("kestrel.exe|"));
}

TEST_F(ShownFormMainTest, StartStepLeavesTheWindowAndItsButtonsPaintedBeforeAnyOtherMessage) {
  writeConfig("0");
  writeSkin(444, 217);
  TFormMain& form = build();
  form.show();
  // Showing leaves the paint pending; the posted start message runs ahead of it.
  ASSERT_TRUE(GetUpdateRect(form.handle(), nullptr, FALSE));
  MSG msg;
  ASSERT_TRUE(
      PeekMessageA(&msg, form.handle(), WM_LAUNCHER_STARTED, WM_LAUNCHER_STARTED, PM_REMOVE));
  DispatchMessageA(&msg);
  EXPECT_FALSE(GetUpdateRect(form.handle(), nullptr, FALSE));
  for (const ButtonLayout& b : kButtons) {
    EXPECT_FALSE(GetUpdateRect(form.button(b.id).handle(), nullptr, FALSE)) << b.name;
  }
  EXPECT_TRUE(waitStarted("kestrel.exe|"));
}

TEST_F(ShownFormMainTest, InfoTextFollowsThePointerFromButtonToButton) {
  TFormMain& form = buildShown();
  std::vector<std::string> shown;
  for (TImageButton* button : {&form.Button1, &form.Button2}) {
    auto enter = button->OnMouseEnter;
    auto exit = button->OnMouseExit;
    button->OnMouseEnter = [&, enter](Control& c) {
      enter(c);
      shown.push_back(form.LabelInfo1.caption());
    };
    button->OnMouseExit = [&, exit](Control& c) {
      exit(c);
      shown.push_back(form.LabelInfo1.caption());
    };
  }
  test::MouseTo(centreOf(form.Button1));
  ASSERT_TRUE(test::PumpUntil([&] { return shown.size() == 1; }));
  test::MouseTo(centreOf(form.Button2));
  ASSERT_TRUE(test::PumpUntil([&] { return shown.size() == 3; }));
  EXPECT_EQ(shown, (std::vector<std::string>{kButton1Hover, welcome(), kButton2Hover}));
  EXPECT_EQ(form.LabelInfo2.caption(), kButton2Hover);
  test::MouseTo(POINT{form.left() + 5, form.top() + 100});
  ASSERT_TRUE(test::PumpUntil([&] { return shown.size() == 4; }));
  EXPECT_EQ(form.LabelInfo1.caption(), welcome());
}

TEST_F(ShownFormMainTest, ButtonsStartTheirProgramsAndLinksAsStored) {
  TFormMain& form = buildShown();
  ASSERT_TRUE(waitStarted("kestrel.exe|"));
  clickOn(form.Button1);
  EXPECT_TRUE(waitStarted("FileWrite.exe|"));
  clickOn(form.Button2);
  EXPECT_TRUE(waitStarted("VidWrite.exe|"));
  std::vector<std::string> opened;
  SetShellOpenFunction([&](void*, const std::string& target, int) { opened.push_back(target); });
  GlobalVars.HelpHowTosTutorialVideosLink = "https://example.com/how to?a=1&b=2";
  GlobalVars.HelpHomePageLink = "";
  GlobalVars.HelpMoreFreeToolsLink = "mailto:x@example.com";
  for (TImageButton* b : {&form.ButtonHelp, &form.ButtonHome, &form.ButtonMoreFreeTools}) {
    const size_t before = opened.size();
    clickOn(*b);
    EXPECT_TRUE(test::PumpUntil([&] { return opened.size() == before + 1; }));
  }
  EXPECT_EQ(opened, (std::vector<std::string>{"https://example.com/how to?a=1&b=2", "",
                                              "mailto:x@example.com"}));
}

// Chooses a menu item by its mnemonic once the menu is up; records where the menu appeared.
struct MenuChooser {
  static inline WORD key = 0;
  static inline RECT shownAt{};
  static void Arm(WORD mnemonic) {
    key = mnemonic;
    shownAt = RECT{};
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
      HWND menu = FindWindowA("#32768", nullptr);
      if (!menu || !IsWindowVisible(menu)) return;
      KillTimer(nullptr, id);
      GetWindowRect(menu, &shownAt);
      test::KeyTap(key);
    });
  }
};

TEST_F(ShownFormMainTest, MenusPopUpBelowTheirButtonsAndStartTheChosenTool) {
  TFormMain& form = buildShown();
  ASSERT_TRUE(waitStarted("kestrel.exe|"));
  struct Case {
    TImageButton* button;
    WORD key;
    const char* program;
  };
  const Case cases[] = {
      {&form.Button3, 'M', "MusicWrite.exe"},        {&form.Button3, 'T', "TrackRip.exe"},
      {&form.ButtonMoreTools, 'I', "ImgWrite.exe"},  {&form.ButtonMoreTools, 'R', "ImgRip.exe"},
      {&form.ButtonMoreTools, 'M', "ImgMake.exe"},   {&form.ButtonMoreTools, 'F', "FileWrite.exe"},
      {&form.ButtonMoreTools, 'W', "MediaWipe.exe"}, {&form.ButtonMoreTools, 'D', "DrvProbe.exe"},
  };
  for (const Case& c : cases) {
    MenuChooser::Arm(c.key);
    clickOn(*c.button);
    EXPECT_TRUE(waitStarted(std::string(c.program) + "|")) << c.program;
    EXPECT_EQ(MenuChooser::shownAt.left, form.left() + c.button->left()) << c.program;
    EXPECT_EQ(MenuChooser::shownAt.top, form.top() + c.button->top() + c.button->height())
        << c.program;
  }
}

TEST_F(ShownFormMainTest, KeyboardMovesAmongTheButtonsAndCtrlDigitsDoNothing) {
  TFormMain& form = buildShown();
  ASSERT_TRUE(waitStarted("kestrel.exe|"));
  test::KeyTap(VK_TAB);
  EXPECT_TRUE(test::PumpUntil([&] { return form.ButtonClose.focused(); }));
  test::KeyTap(VK_RIGHT);
  EXPECT_TRUE(test::PumpUntil([&] { return form.Button1.focused(); }));
  test::KeyDown(VK_SHIFT);
  test::KeyTap(VK_TAB);
  test::KeyUp(VK_SHIFT);
  EXPECT_TRUE(test::PumpUntil([&] { return form.ButtonClose.focused(); }));
  test::KeyTap(VK_DOWN);
  test::KeyTap(VK_LEFT);
  test::KeyTap(VK_UP);
  EXPECT_TRUE(test::PumpUntil([&] { return form.ButtonMin.focused(); }));
  test::KeyTap(VK_UP);
  EXPECT_TRUE(test::PumpUntil([&] { return form.ButtonMoreFreeTools.focused(); }));
  const std::string before = startedLog();
  test::KeyDown(VK_CONTROL);
  for (WORD digit = '1'; digit <= '6'; ++digit) test::KeyTap(digit);
  test::KeyUp(VK_CONTROL);
  test::PumpTicks(5, 50);
  EXPECT_EQ(startedLog(), before);
  // Return on a focused button clicks it, like Space.
  test::KeyTap(VK_TAB);
  test::KeyTap(VK_TAB);
  test::KeyTap(VK_TAB);
  ASSERT_TRUE(test::PumpUntil([&] { return form.Button1.focused(); }));
  test::KeyTap(VK_RETURN);
  EXPECT_TRUE(waitStarted("FileWrite.exe|"));
}

TEST_F(ShownFormMainTest, MinimiseHidesTheWindowWithTheApplicationAndRestoreBringsItBack) {
  TFormMain& form = buildShown();
  clickOn(form.ButtonMin);
  HWND app = Application::Instance().handle();
  ASSERT_TRUE(test::PumpUntil([&] { return IsIconic(app) && !IsWindowVisible(form.handle()); }));
  Application::Instance().restore();
  EXPECT_TRUE(test::PumpUntil([&] { return !IsIconic(app) && IsWindowVisible(form.handle()); }));
}

}  // namespace
}  // namespace ss
