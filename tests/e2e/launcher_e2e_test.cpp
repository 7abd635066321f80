// The real launcher in a folder built like the demo's, driven with real mouse and keyboard
// input and judged by what the screen shows, the windows it opens and the tools it starts.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "demo_launcher.h"
#include "input_support.h"
#include "test_support.h"

namespace ss::e2e {
namespace {

using main_window::ButtonId;

bool SameRect(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}

// The system's text for an error code, as a file-open message quotes it: trailing blanks,
// line breaks and full stops removed.
std::string SystemText(DWORD code) {
  char text[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                 sizeof text, nullptr);
  std::string result = text;
  while (!result.empty() &&
         (static_cast<unsigned char>(result.back()) <= 0x20 || result.back() == '.')) {
    result.pop_back();
  }
  return result;
}

std::string MissingFileMessage(const std::string& path) {
  return "Cannot open file \"" + path + "\". " + SystemText(ERROR_FILE_NOT_FOUND) + ".";
}

// A child window of `parent` with this text (a dialog's push button), or nullptr.
HWND ChildWithText(HWND parent, const std::string& text) {
  struct Query {
    const std::string* text;
    HWND found;
  } query{&text, nullptr};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        auto* q = reinterpret_cast<Query*>(param);
        if (test::WindowText(child) != *q->text) return TRUE;
        q->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&query));
  return query.found;
}

// A press and release of the left button where the pointer is.
void LeftClick() {
  test::MouseButton(MOUSEEVENTF_LEFTDOWN);
  test::MouseButton(MOUSEEVENTF_LEFTUP);
}

void ClickWindowCentre(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  test::MouseTo(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  LeftClick();
}

// The rows of `area` (screen coordinates) that show the menu highlight across most of their
// width: the highlighted item; an empty rectangle when none is.
RECT HighlightedRows(const RECT& area) {
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const Image shown = CaptureScreen(area);
  RECT rows{area.left, -1, area.right, -1};
  for (int y = 0; y < shown.height; ++y) {
    int lit = 0;
    for (int x = 0; x < shown.width; ++x) lit += shown.at(x, y) == highlight;
    if (lit <= shown.width / 2) continue;
    if (rows.top < 0) rows.top = area.top + y;
    rows.bottom = area.top + y + 1;
  }
  return rows.top < 0 ? RECT{} : rows;
}

class LauncherE2E : public testing::Test {
 protected:
  void TearDown() override { test::ReleaseInput(); }

  // Starts the launcher in a fresh folder built like the demo's.
  void start(const DemoOptions& options = {}) {
    folder_ = std::make_unique<DemoFolder>(options);
    look_ = std::make_unique<ExpectedLook>(*folder_);
    launcher_ = std::make_unique<RunningLauncher>(*folder_);
  }

  // Starts it and waits until its window is active with the first button focused, as a user
  // finds it; the main window's handle, or nullptr.
  HWND startActive(const DemoOptions& options = {}) {
    start(options);
    HWND main = launcher_->waitMainWindow();
    if (!main) return nullptr;
    EXPECT_TRUE(waitFocusOn(ButtonId::Min)) << "the window did not become active";
    return main;
  }

  std::string welcome() const { return "Welcome to " + folder_->productName() + "!"; }
  RECT rectOf(ButtonId id) const { return look_->buttonRect(id); }
  RECT wholeWindow() const { return RECT{0, 0, look_->width(), look_->height()}; }

  // The window as it should look now, over the desktop it opened on.
  Image expected(const ExpectedLook::Looks& looks, const std::string& infoText) const {
    RECT window{};
    GetWindowRect(launcher_->mainWindow(), &window);
    return look_->window(launcher_->desktopBefore().crop(window), looks, infoText);
  }
  // One button in one look, the rest of the window as after the start.
  Image expectedButton(ButtonId id, Look look) const {
    ExpectedLook::Looks looks = ExpectedLook::AllNormal();
    looks[static_cast<size_t>(id)] = look;
    return expected(looks, welcome()).crop(rectOf(id));
  }
  bool waitButtonShows(ButtonId id, Look look) const {
    return launcher_->waitShows(rectOf(id), expectedButton(id, look));
  }
  bool waitInfoLineShows(const std::string& text) const {
    return launcher_->waitShows(look_->infoLineArea(), look_->infoLine(text));
  }

  bool waitFocusOn(ButtonId id) const {
    return test::WaitUntil([&] {
      const GUITHREADINFO info = launcher_->threadInfo();
      return info.hwndActive == launcher_->mainWindow() && info.hwndFocus &&
             SameRect(launcher_->clientRectOf(info.hwndFocus), rectOf(id));
    });
  }

  // Moves the pointer onto a button and waits for its mouse-on look.
  void pointAt(ButtonId id) {
    test::MouseTo(launcher_->centreOf(rectOf(id)));
    EXPECT_TRUE(waitButtonShows(id, Look::MouseOn))
        << main_window::kButtons[static_cast<size_t>(id)].name;
  }
  void click(ButtonId id) {
    pointAt(id);
    LeftClick();
  }
  // Clicks a button pressed before. Pressing the focused button cancels its mouse-on state, so
  // it shows the mouse-on look again only once the launcher has seen the pointer leave it: the
  // pointer visits another big button first, as a hand on the mouse would pass over the skin.
  void clickAgain(ButtonId id) {
    pointAt(id == ButtonId::One ? ButtonId::Two : ButtonId::One);
    click(id);
  }

  // A point on the skin away from every button and from the info line, where the pointer rests.
  POINT restingPoint() const {
    const RECT line = look_->infoLineArea();
    auto clear = [&](int x, int y) {
      for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx) {
          const POINT p{x + dx, y + dy};
          if (!look_->inOutline(p.x, p.y) || PtInRect(&line, p)) return false;
          for (const auto& b : main_window::kButtons) {
            const RECT r = rectOf(b.id);
            if (PtInRect(&r, p)) return false;
          }
        }
      }
      return true;
    };
    for (int y = look_->height() / 2; y < look_->height(); ++y) {
      for (int x = 0; x < look_->width(); ++x) {
        if (clear(x, y)) return launcher_->screenPoint(x, y);
      }
    }
    ADD_FAILURE() << "no free spot on the skin";
    return launcher_->screenPoint(0, 0);
  }

  HWND visibleMenu() const {
    const auto menus = launcher_->process().windows("#32768");
    return menus.empty() ? nullptr : menus.front();
  }
  HWND waitMenu() const {
    HWND menu = nullptr;
    test::WaitUntil([&] { return (menu = visibleMenu()) != nullptr; });
    return menu;
  }
  // The menu pops up with its top-left corner at the button's bottom-left corner.
  void expectMenuBelow(HWND menu, ButtonId id) const {
    RECT shown{};
    GetWindowRect(menu, &shown);
    const RECT button = rectOf(id);
    const POINT corner = launcher_->screenPoint(button.left, button.bottom);
    EXPECT_EQ(shown.left, corner.x) << main_window::kButtons[static_cast<size_t>(id)].name;
    EXPECT_EQ(shown.top, corner.y) << main_window::kButtons[static_cast<size_t>(id)].name;
  }

  // The screen rows of each item of a button's menu that the user can choose, top to bottom:
  // the menu is opened, the highlight walked down with the Down key (which skips separators)
  // and the menu dismissed again.
  std::vector<RECT> itemRows(ButtonId id, size_t items) {
    std::vector<RECT> rows;
    click(id);
    HWND menu = waitMenu();
    if (!menu) return rows;
    RECT shown{};
    GetWindowRect(menu, &shown);
    for (size_t i = 0; i < items; ++i) {
      test::KeyTap(VK_DOWN);
      RECT lit{};
      const int below = rows.empty() ? shown.top - 1 : rows.back().bottom - 1;
      if (!test::WaitUntil([&] { return (lit = HighlightedRows(shown)).top > below; })) break;
      rows.push_back(lit);
    }
    test::KeyTap(VK_ESCAPE);
    EXPECT_TRUE(launcher_->waitMenuClosed());
    return rows;
  }

  bool waitMinimised() const {
    HWND app = launcher_->applicationWindow();
    return test::WaitUntil(
        [&] { return app && IsIconic(app) && !IsWindowVisible(launcher_->mainWindow()); });
  }

  // The "Application Error" box that ends a failed start: its text with the code address
  // checked and replaced by "ADDRESS"; the box closed with its OK button.
  std::string applicationErrorText() {
    HWND box = launcher_->process().waitWindow("#32770", "Application Error");
    if (!box) {
      ADD_FAILURE() << "no Application Error box";
      return {};
    }
    // No window of the launcher has been shown.
    EXPECT_EQ(launcher_->process().windows("").size(), 1u);
    std::string text = test::MessageBoxText(box);
    const size_t at = text.find(" at ");
    if (at != std::string::npos && text.size() >= at + 12) {
      const std::string address = text.substr(at + 4, 8);
      EXPECT_EQ(address.find_first_not_of("0123456789ABCDEF"), std::string::npos) << address;
      text.replace(at + 4, 8, "ADDRESS");
    }
    ClickWindowCentre(GetDlgItem(box, IDOK));
    return text;
  }

  std::unique_ptr<DemoFolder> folder_;
  std::unique_ptr<ExpectedLook> look_;
  std::unique_ptr<RunningLauncher> launcher_;
};

TEST_F(LauncherE2E, OpensCentredAndShapedToItsSkinAndStartsTheCompanionOnce) {
  start();
  HWND main = launcher_->waitMainWindow();
  ASSERT_TRUE(main);
  RECT window{};
  GetWindowRect(main, &window);
  const int width = look_->width(), height = look_->height();
  EXPECT_EQ(window.right - window.left, width);
  EXPECT_EQ(window.bottom - window.top, height);
  EXPECT_EQ(window.left, std::max(0, (GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2));
  EXPECT_EQ(window.top, std::max(0, (GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2));
  // No frame: the client area starts at the window's corner.
  const POINT origin = launcher_->screenPoint(0, 0);
  EXPECT_EQ(origin.x, window.left);
  EXPECT_EQ(origin.y, window.top);

  // Outside the outline the desktop shows through, inside it the skin, every button in its
  // normal look and the welcome text.
  const Image want = expected(ExpectedLook::AllNormal(), welcome());
  int outside = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      outside += !look_->inOutline(x, y) && look_->glyph().at(x, y) != want.at(x, y);
    }
  }
  ASSERT_GT(outside, 0) << "the skin's outline cuts nothing away";
  EXPECT_TRUE(launcher_->waitShows(wholeWindow(), want));

  EXPECT_TRUE(folder_->waitStarted(main_window::kCompanionProgram));
  EXPECT_EQ(folder_->timesStarted(main_window::kCompanionProgram), 1);
}

TEST_F(LauncherE2E, InfoLineFollowsThePointerOntoAndOffEachBigButton) {
  ASSERT_TRUE(startActive());
  ASSERT_TRUE(waitInfoLineShows(welcome()));
  const POINT rest = restingPoint();
  const std::pair<ButtonId, const char*> hovers[] = {
      {ButtonId::One, main_window::kButton1Hover},
      {ButtonId::Two, main_window::kButton2Hover},
      {ButtonId::Three, main_window::kButton3Hover},
      {ButtonId::MoreTools, main_window::kMoreToolsHover},
  };
  for (const auto& [id, text] : hovers) {
    SCOPED_TRACE(text);
    ASSERT_GT(DifferentPixels(look_->infoLine(text), look_->infoLine(welcome())), 0);
    test::MouseTo(launcher_->centreOf(rectOf(id)));
    EXPECT_TRUE(waitInfoLineShows(text));
    EXPECT_TRUE(waitButtonShows(id, Look::MouseOn));
    test::MouseTo(rest);
    EXPECT_TRUE(waitInfoLineShows(welcome()));
    EXPECT_TRUE(waitButtonShows(id, Look::Normal));
  }
}

TEST_F(LauncherE2E, HeldButtonLooksPressedAndItsReleaseStartsItsTool) {
  ASSERT_TRUE(startActive());
  const std::pair<ButtonId, const char*> tools[] = {
      {ButtonId::One, main_window::kButton1Program},
      {ButtonId::Two, main_window::kButton2Program},
  };
  for (const auto& [id, program] : tools) {
    SCOPED_TRACE(program);
    pointAt(id);
    test::MouseButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(waitButtonShows(id, Look::Pressed));
    // The click comes with the release.
    EXPECT_EQ(folder_->timesStarted(program), 0);
    test::MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(folder_->waitStarted(program));
    // A first press on a button keeps the mouse-on look once released under the pointer.
    EXPECT_TRUE(waitButtonShows(id, Look::MouseOn));
  }
  EXPECT_EQ(folder_->timesStarted(main_window::kButton1Program), 1);
  EXPECT_EQ(folder_->timesStarted(main_window::kButton2Program), 1);
}

TEST_F(LauncherE2E, MenusOpenBelowTheirButtonsAndTheirMnemonicsChooseItems) {
  ASSERT_TRUE(startActive());
  // The companion starts with the launcher, in a process of its own: logged first only once
  // it has, not by whichever of it and the first tool comes up first on a busy machine.
  ASSERT_TRUE(folder_->waitStarted(main_window::kCompanionProgram));

  // Dismissed with Escape, a menu starts nothing.
  click(ButtonId::Three);
  HWND menu = waitMenu();
  ASSERT_TRUE(menu);
  expectMenuBelow(menu, ButtonId::Three);
  test::KeyTap(VK_ESCAPE);
  EXPECT_TRUE(launcher_->waitMenuClosed());

  // "Music Track Ripper" by its mnemonic T (M belongs to the item above it).
  clickAgain(ButtonId::Three);
  menu = waitMenu();
  ASSERT_TRUE(menu);
  expectMenuBelow(menu, ButtonId::Three);
  test::KeyTap('T');
  EXPECT_TRUE(folder_->waitStarted("TrackRip.exe"));
  EXPECT_TRUE(launcher_->waitMenuClosed());

  // "Drive Probe" by D.
  click(ButtonId::MoreTools);
  menu = waitMenu();
  ASSERT_TRUE(menu);
  expectMenuBelow(menu, ButtonId::MoreTools);
  test::KeyTap('D');
  EXPECT_TRUE(folder_->waitStarted("DrvProbe.exe"));
  EXPECT_TRUE(launcher_->waitMenuClosed());

  // Only the chosen items started something.
  EXPECT_EQ(folder_->startedLog(), std::string(main_window::kCompanionProgram) +
                                       "|\r\nTrackRip.exe|\r\nDrvProbe.exe|\r\n");
}

TEST_F(LauncherE2E, EveryMenuItemStartsItsToolWhenClickedWithTheMouse) {
  ASSERT_TRUE(startActive());
  ASSERT_TRUE(folder_->waitStarted(main_window::kCompanionProgram));
  std::string log = folder_->startedLog();
  auto chooseEach = [&](ButtonId id, const auto& items) {
    size_t choosable = 0;
    for (const main_window::MenuItem& item : items) choosable += item.program != nullptr;
    const std::vector<RECT> rows = itemRows(id, choosable);
    ASSERT_EQ(rows.size(), choosable);
    size_t row = 0;
    for (const main_window::MenuItem& item : items) {
      if (!item.program) continue;
      SCOPED_TRACE(item.caption);
      clickAgain(id);
      ASSERT_TRUE(waitMenu());
      const RECT r = rows[row++];
      test::MouseTo(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
      EXPECT_TRUE(test::WaitUntil([&] {
        const RECT lit = HighlightedRows(r);
        return lit.top == r.top && lit.bottom == r.bottom;
      })) << "the item under the pointer is not highlighted";
      LeftClick();
      EXPECT_TRUE(folder_->waitStarted(item.program));
      EXPECT_TRUE(launcher_->waitMenuClosed());
      log += std::string(item.program) + "|\r\n";
    }
  };
  chooseEach(ButtonId::Three, main_window::kAudioCdMenu);
  chooseEach(ButtonId::MoreTools, main_window::kMoreToolsMenu);
  // Each click started its own tool, once, in the order clicked.
  EXPECT_EQ(folder_->startedLog(), log);
}

TEST_F(LauncherE2E, AboutOpensModallyWithTheProductTitleAndClosesWithOk) {
  HWND main = startActive();
  ASSERT_TRUE(main);
  click(ButtonId::About);
  HWND about = launcher_->process().waitWindow("SuiteStartForm", "About " + folder_->productName());
  ASSERT_TRUE(about);
  EXPECT_FALSE(IsWindowEnabled(main));
  RECT r{};
  GetWindowRect(about, &r);
  EXPECT_EQ(r.left, std::max(0L, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2));
  EXPECT_EQ(r.top, std::max(0L, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2));

  HWND ok = ChildWithText(about, "OK");
  ASSERT_TRUE(ok);
  ClickWindowCentre(ok);
  EXPECT_TRUE(test::WaitUntil([&] { return !IsWindow(about) || !IsWindowVisible(about); }));
  EXPECT_TRUE(test::WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }));
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_TRUE(launcher_->process().running());
}

TEST_F(LauncherE2E, MinimiseButtonHidesTheWindowAndRestoringShowsItAgain) {
  ASSERT_TRUE(startActive());
  click(ButtonId::Min);
  ASSERT_TRUE(waitMinimised());
  // The taskbar restores the application window.
  PostMessageA(launcher_->applicationWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(test::WaitUntil([&] {
    return IsWindowVisible(launcher_->mainWindow()) && !IsIconic(launcher_->applicationWindow());
  }));
  // Unchanged: the same place and the same skin (the minimise button's look depends on where
  // the pointer is now).
  ExpectedLook::Looks looks = ExpectedLook::AllNormal();
  looks[static_cast<size_t>(ButtonId::Min)] = Look::Any;
  RECT window{};
  GetWindowRect(launcher_->mainWindow(), &window);
  EXPECT_EQ(window.left, std::max(0, (GetSystemMetrics(SM_CXVIRTUALSCREEN) - look_->width()) / 2));
  EXPECT_TRUE(launcher_->waitShows(wholeWindow(), expected(looks, welcome())));
}

TEST_F(LauncherE2E, CloseButtonEndsTheProcessWithExitCodeZero) {
  ASSERT_TRUE(startActive());
  click(ButtonId::Close);
  EXPECT_EQ(launcher_->process().waitExit(), 0u);
}

TEST_F(LauncherE2E, SpaceRightAfterTheStartMinimises) {
  ASSERT_TRUE(startActive());
  test::KeyTap(VK_SPACE);
  EXPECT_TRUE(waitMinimised());
}

TEST_F(LauncherE2E, TabToButton1AndReturnStartsItsTool) {
  ASSERT_TRUE(startActive());
  test::KeyTap(VK_TAB);
  EXPECT_TRUE(waitFocusOn(ButtonId::Close));
  test::KeyTap(VK_TAB);
  ASSERT_TRUE(waitFocusOn(ButtonId::One));
  // The keyboard moved the focus: the button shows the keyboard's focus frame, and the info line
  // the button's text, as the pointer would.
  EXPECT_TRUE(launcher_->waitShows(rectOf(ButtonId::One),
                                   WithKeyboardFrame(expectedButton(ButtonId::One, Look::Normal))));
  EXPECT_TRUE(waitInfoLineShows(main_window::kButton1Hover));
  test::KeyTap(VK_RETURN);
  EXPECT_TRUE(folder_->waitStarted(main_window::kButton1Program));
  EXPECT_TRUE(launcher_->process().running());
}

TEST_F(LauncherE2E, InfoLineShowsThePointersBigButtonElseTheFocusedOneWhileCuesShow) {
  // Help opens a stand-in here (found in the launcher's folder), not a web page.
  DemoOptions options;
  options.extraConfig = std::string("HelpHowTosTutorialVideosLink=") + main_window::kButton2Program;
  ASSERT_TRUE(startActive(options));
  test::KeyTap(VK_TAB);
  test::KeyTap(VK_TAB);
  ASSERT_TRUE(waitFocusOn(ButtonId::One));
  ASSERT_TRUE(waitInfoLineShows(main_window::kButton1Hover));
  // The press hides the cues before the focus moves: neither the pointer nor the keyboard is on
  // a big button now.
  click(ButtonId::Help);
  EXPECT_TRUE(folder_->waitStarted(main_window::kButton2Program));
  EXPECT_TRUE(waitInfoLineShows(welcome()));
  // The keyboard comes back onto a big button.
  test::KeyTap(VK_LEFT);
  ASSERT_TRUE(waitFocusOn(ButtonId::MoreTools));
  EXPECT_TRUE(waitInfoLineShows(main_window::kMoreToolsHover));
  // The pointer's big button wins over the focused one, which shows again once it leaves.
  test::MouseTo(launcher_->centreOf(rectOf(ButtonId::Two)));
  EXPECT_TRUE(waitInfoLineShows(main_window::kButton2Hover));
  test::MouseTo(restingPoint());
  EXPECT_TRUE(waitInfoLineShows(main_window::kMoreToolsHover));
}

TEST_F(LauncherE2E, MissingConfigurationEndsTheStartWithTheApplicationError) {
  DemoOptions options;
  options.withConfig = false;
  start(options);
  EXPECT_EQ(applicationErrorText(),
            "Exception EFOpenError in module suitestart.exe at ADDRESS.\r\n" +
                MissingFileMessage(folder_->file("tarvix.dll")) + "\r\n");
  EXPECT_EQ(launcher_->process().waitExit(), 1u);
}

TEST_F(LauncherE2E, MissingIconEndsTheStartWithTheApplicationError) {
  DemoOptions options;
  options.withIcon = false;
  start(options);
  EXPECT_EQ(applicationErrorText(),
            "Exception EFOpenError in module suitestart.exe at ADDRESS.\r\n" +
                MissingFileMessage(folder_->file("icon.ico")) + "\r\n");
  EXPECT_EQ(launcher_->process().waitExit(), 1u);
}

TEST_F(LauncherE2E, MissingSkinBitmapIsReportedAndTheWindowStillOpens) {
  DemoOptions options;
  options.missingSkinFile = "7.bmp";
  start(options);
  HWND box = launcher_->process().waitWindow("#32770", folder_->productName());
  ASSERT_TRUE(box);
  EXPECT_EQ(test::MessageBoxText(box), MissingFileMessage(folder_->skinFolder() + "7.bmp"));
  // Closed from the keyboard: a click would leave the pointer where the window opens, and a
  // big button under it would change the info line.
  ASSERT_TRUE(test::WaitUntil([&] { return GetForegroundWindow() == box; }));
  test::KeyTap(VK_RETURN);

  HWND main = launcher_->waitMainWindow();
  ASSERT_TRUE(main);
  // Shaped by the skin loaded before the failure, the first four buttons in their pictures,
  // the rest without, and the info line keeps its design text.
  ExpectedLook::Looks looks = ExpectedLook::AllNormal();
  for (ButtonId id : {ButtonId::Three, ButtonId::MoreTools, ButtonId::Help, ButtonId::About,
                      ButtonId::Home, ButtonId::MoreFreeTools}) {
    looks[static_cast<size_t>(id)] = Look::Any;
  }
  EXPECT_TRUE(
      launcher_->waitShows(wholeWindow(), expected(looks, main_window::kDesignInfoCaption)));
  const RECT moreTools = rectOf(ButtonId::MoreTools);
  EXPECT_GT(
      Mismatches(launcher_->capture(moreTools), expectedButton(ButtonId::MoreTools, Look::Normal)),
      (moreTools.right - moreTools.left) * (moreTools.bottom - moreTools.top) / 2);

  // The buttons work; the companion was never started, since the start-up step was skipped.
  click(ButtonId::One);
  EXPECT_TRUE(folder_->waitStarted(main_window::kButton1Program));
  EXPECT_EQ(folder_->timesStarted(main_window::kCompanionProgram), 0);
}

TEST_F(LauncherE2E, AlternativeLayoutOpensShapedToItsSkinWithAWrappedInfoText) {
  DemoOptions options;
  options.layout = Layout::Alternative;
  ASSERT_TRUE(startActive(options));
  RECT window{};
  GetWindowRect(launcher_->mainWindow(), &window);
  EXPECT_EQ(window.right - window.left, look_->width());
  EXPECT_EQ(window.left, std::max(0, (GetSystemMetrics(SM_CXVIRTUALSCREEN) - look_->width()) / 2));
  EXPECT_TRUE(launcher_->waitShows(wholeWindow(), expected(ExpectedLook::AllNormal(), welcome())));
  test::MouseTo(launcher_->centreOf(rectOf(ButtonId::MoreTools)));
  EXPECT_TRUE(waitInfoLineShows(main_window::kMoreToolsHover));
  EXPECT_TRUE(waitButtonShows(ButtonId::MoreTools, Look::MouseOn));
}

}  // namespace
}  // namespace ss::e2e
