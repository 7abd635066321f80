// The launcher as a user meets it: a folder built like the demo's, the real exe running in it,
// and the look its window should have, worked out from the skin files and the layout tables.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "screen_image.h"
#include "test_support.h"
#include "ui/main/form_main_tables.h"

namespace ss::e2e {

enum class Layout { Design, Alternative };

// The 31 skin files' names in their loading order.
std::vector<std::string> SkinFileNames();

// The Windows path of the Unix path in the environment variable `name` (a test fails without it).
std::string FromEnvironment(const char* name);

struct DemoOptions {
  Layout layout = Layout::Design;
  bool withConfig = true;
  bool withIcon = true;
  // A skin bitmap left out of the folder, or empty.
  std::string missingSkinFile;
  // The skin's variant folders (its files drawn at 200 %) come along.
  bool withVariants = false;
  // The skin's halo.bmp comes along (in the variant folder too).
  bool withHalo = false;
  // Clear configuration text added at the end of the demo's.
  std::string extraConfig;
};

// A fresh folder holding the exe, tarvix.dll packed from the demo's clear configuration, the
// generated icon and skin, and the stand-in tool under every program name.
class DemoFolder {
 public:
  explicit DemoFolder(const DemoOptions& options = {});
  DemoFolder(const DemoFolder&) = delete;
  DemoFolder& operator=(const DemoFolder&) = delete;
  // Waits a little for the programs started from the folder to let go of their files, so that
  // the folder can be removed.
  ~DemoFolder();

  const std::string& path() const { return dir_.path(); }
  std::string file(const std::string& name) const { return dir_.file(name); }
  // The skin folder the configuration names, ending in "\".
  const std::string& skinFolder() const { return skinFolder_; }
  Layout layout() const { return layout_; }
  // The configuration's product name: the launcher's title.
  const std::string& productName() const { return productName_; }

  // The stand-ins' records, one "<file name>|<arguments>" line per start.
  std::string startedLog() const;
  int timesStarted(const std::string& program) const;
  // Waits until `program` has been started `times` times in all.
  bool waitStarted(const std::string& program, int times = 1) const;

 private:
  test::TempDir dir_;
  Layout layout_;
  std::string skinFolder_;
  std::string productName_;
  std::vector<std::string> programs_;
};

// Button looks in the order of their pictures; Any leaves the button's pixels unchecked.
enum class Look { Normal = 0, MouseOn = 1, Pressed = 2, Any = 3 };

// How the window should look, pixel by pixel, in client coordinates.
class ExpectedLook {
 public:
  explicit ExpectedLook(const DemoFolder& folder);

  int width() const { return glyph_.width; }
  int height() const { return glyph_.height; }
  // A button's rectangle: its design bounds, or in the alternative layout its place there with
  // the size of its normal picture.
  RECT buttonRect(main_window::ButtonId id) const;
  // The part of the window the info line may paint.
  RECT infoLineArea() const;
  // Whether the window's outline holds this client point: a non-transparent glyph pixel, not
  // in the glyph's rightmost column.
  bool inOutline(int x, int y) const;
  const Image& glyph() const { return glyph_; }

  // The whole window over `desktop` (the screen under it before it opened, same size): the
  // glyph, each button in its look, the info line showing `infoText`; the desktop outside the
  // outline. Unchecked pixels are kUnchecked.
  using Looks = std::array<Look, main_window::kButtons.size()>;
  Image window(const Image& desktop, const Looks& looks, const std::string& infoText) const;
  // Only the info line area, showing `text`.
  Image infoLine(const std::string& text) const;

  static constexpr COLORREF kUnchecked = 0xFFFFFFFF;
  static Looks AllNormal();

 private:
  Layout layout_;
  Image glyph_;
  std::array<std::array<Image, 3>, main_window::kButtons.size()> pictures_;
};

// A button's look with the keyboard's focus frame over it, at 96 DPI: a dark line two pixels
// inside its edges and a white one inside that.
Image WithKeyboardFrame(Image button);

// Number of pixels of `shown` that differ from `expected`, skipping unchecked ones; the first
// difference is described in `where`.
int Mismatches(const Image& shown, const Image& expected, std::string* where = nullptr);

// The real launcher started in a demo folder, with the stand-ins quiet (they only record).
class RunningLauncher {
 public:
  explicit RunningLauncher(const DemoFolder& folder);

  test::ChildProcess& process() { return *process_; }
  // The screen as it was just before the launcher started.
  const Image& desktopBefore() const { return desktop_; }

  // Waits for the visible main window (class and title); nullptr after the timeout.
  HWND waitMainWindow(DWORD timeoutMs = 10000);
  HWND mainWindow() const { return main_; }
  // The hidden application window behind the taskbar button.
  HWND applicationWindow() const;
  // The launcher's active window and the window holding its keyboard focus.
  GUITHREADINFO threadInfo() const;
  // Waits until no popup menu of the launcher shows and its menu loop has ended: the menu's
  // window goes first, and a click before the loop ends only ends the loop. False after 10 s.
  bool waitMenuClosed() const;
  // A client point of the main window on the screen.
  POINT screenPoint(int x, int y) const;
  POINT centreOf(const RECT& clientRect) const;
  // What the screen shows of a client rectangle of the main window.
  Image capture(const RECT& clientRect) const;
  // The client rectangle of a child window of the main window.
  RECT clientRectOf(HWND child) const;
  // Waits until the screen shows `expected` over the client rectangle; false after the timeout,
  // with the last difference reported as a test failure.
  bool waitShows(const RECT& clientRect, const Image& expected, DWORD timeoutMs = 10000) const;

 private:
  Image desktop_;
  std::unique_ptr<test::ChildProcess> process_;
  std::string title_;
  HWND main_ = nullptr;
};

}  // namespace ss::e2e
