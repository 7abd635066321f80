// The halo behind the launcher's window: under a compositing manager with Halo=always (the
// Halo suite, run in a session with xcompmgr), and its absence where Wine reports no
// composition.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "demo_launcher.h"
#include "input_support.h"
#include "skin/bitmap_decode.h"
#include "skin/halo.h"

namespace ss::e2e {
namespace {

constexpr const char* kHaloClass = "SuiteStartHalo";

RECT Grown(RECT r, int by) {
  return RECT{r.left - by, r.top - by, r.right + by, r.bottom + by};
}

bool SameRect(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}

int Channel(COLORREF c, int index) {
  return static_cast<int>(c >> (8 * index) & 0xFF);
}

int Brightness(COLORREF c) {
  return Channel(c, 0) + Channel(c, 1) + Channel(c, 2);
}

// A plain window of this process in one light colour, shown before the launcher so that it lies
// under everything the launcher shows: it stands for the desktop, and counts presses.
class WindowBelow {
 public:
  // The colour it shows: light, so that a shadow darkens it.
  static constexpr COLORREF kColor = 0xC0C0C0;

  explicit WindowBelow(const RECT& r) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &WindowBelow::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HaloTestBelow";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    RegisterClassA(&wc);
    window_ = CreateWindowExA(WS_EX_NOACTIVATE, "HaloTestBelow", "", WS_POPUP | WS_VISIBLE, r.left,
                              r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                              wc.hInstance, nullptr);
    test::WaitUntil([&] {
      const Image shown = CaptureScreen(RECT{r.left, r.top, r.left + 1, r.top + 1});
      return shown.pixels.size() == 1 && shown.pixels[0] == kColor;
    });
  }
  ~WindowBelow() { DestroyWindow(window_); }
  static int presses() { return presses_; }
  static void forgetPresses() { presses_ = 0; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) ++presses_;
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  static inline int presses_ = 0;
  HWND window_;
};

class Halo : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Shown first, so that the launcher's windows lie above it.
    backdrop_ =
        new WindowBelow(RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    DemoOptions options;
    options.extraConfig = "[APPEARANCE]\nHalo=always\n";
    options.withHalo = true;
    folder_ = new DemoFolder(options);
    launcher_ = new RunningLauncher(*folder_);
    launcher_->waitMainWindow();
    const std::string skin = folder_->skinFolder();
    halo_ = new PixelImage(DecodeAlphaBitmapFile(test::ReadFileBytes(skin + kHaloFile)));
    look_ = new ExpectedLook(*folder_);
    margin_ = (halo_->width - look_->width()) / 2;
  }
  static void TearDownTestSuite() {
    delete look_;
    delete halo_;
    delete launcher_;
    delete folder_;
    delete backdrop_;
  }
  void TearDown() override { test::ReleaseInput(); }

  static HWND main() { return launcher_->mainWindow(); }
  static HWND waitHalo(bool visible) {
    HWND found = nullptr;
    test::WaitUntil([&] {
      const auto windows = launcher_->process().windows(kHaloClass, "", false);
      found = windows.empty() ? nullptr : windows.front();
      return found && (IsWindowVisible(found) != FALSE) == visible;
    });
    return found;
  }
  // The halo's place: the main window's grown by the margin.
  static bool haloAroundMain() {
    HWND halo = waitHalo(true);
    RECT shown{}, window{};
    GetWindowRect(halo, &shown);
    GetWindowRect(main(), &window);
    return halo && SameRect(shown, Grown(window, margin_));
  }

  static inline WindowBelow* backdrop_ = nullptr;
  static inline DemoFolder* folder_ = nullptr;
  static inline RunningLauncher* launcher_ = nullptr;
  static inline PixelImage* halo_ = nullptr;
  static inline ExpectedLook* look_ = nullptr;
  static inline int margin_ = 0;
};

TEST_F(Halo, ShowsBelowTheWindowAsAClickThroughDecorationOwnedAlongsideIt) {
  ASSERT_TRUE(main());
  HWND halo = waitHalo(true);
  ASSERT_TRUE(halo);
  EXPECT_TRUE(haloAroundMain());
  // Settled: Wine's first exposure of the halo may raise it for a moment while the window paints.
  EXPECT_TRUE(test::WaitUntil([&] { return GetWindow(main(), GW_HWNDNEXT) == halo; }));
  const LONG_PTR exStyle = GetWindowLongPtrA(halo, GWL_EXSTYLE);
  for (const LONG_PTR bit :
       {LONG_PTR{WS_EX_LAYERED}, LONG_PTR{WS_EX_TRANSPARENT}, LONG_PTR{WS_EX_NOACTIVATE}}) {
    EXPECT_EQ(exStyle & bit, bit);
  }
  EXPECT_EQ(GetWindow(halo, GW_OWNER), launcher_->applicationWindow());
  EXPECT_EQ(launcher_->threadInfo().hwndActive, main());
}

TEST_F(Halo, BlendsTheRimAndTheShadowOverTheDesktop) {
  ASSERT_TRUE(haloAroundMain());
  RECT area{};
  GetWindowRect(waitHalo(true), &area);
  Image shown;
  int wrong = 0, rim = 0, checked = 0;
  std::string where;
  // Every pixel outside the window's outline: the halo over the backdrop.
  const auto compare = [&] {
    shown = CaptureScreen(area);
    wrong = rim = checked = 0;
    for (int y = 0; y < shown.height; ++y) {
      for (int x = 0; x < shown.width; ++x) {
        if (look_->inOutline(x - margin_, y - margin_)) continue;
        const std::uint32_t h = halo_->pixels[static_cast<size_t>(y) * halo_->width + x];
        const int alpha = static_cast<int>(h >> 24);
        ++checked;
        for (int c = 0; c < 3; ++c) {
          const int expected =
              (Channel(h, c) * alpha + Channel(WindowBelow::kColor, c) * (255 - alpha)) / 255;
          if (std::abs(Channel(shown.at(x, y), c) - expected) > 4) {
            if (wrong++ == 0) where = std::to_string(x) + "," + std::to_string(y);
            break;
          }
        }
        if (alpha > 32 && alpha < 224 && (h & 0xFFFFFF) != 0) ++rim;
      }
    }
    return wrong == 0;
  };
  EXPECT_TRUE(test::WaitUntil(compare, 5000))
      << wrong << " of " << checked << ", first at " << where;
  EXPECT_GT(rim, 0);
  // Below the window the shadow darkens the desktop, fading to it within the margin.
  const int x = shown.width / 2;
  const int below = margin_ + look_->height() + 1;
  EXPECT_LT(Brightness(shown.at(x, below)), Brightness(WindowBelow::kColor));
  EXPECT_EQ(shown.at(x, shown.height - 1), WindowBelow::kColor);
}

TEST_F(Halo, LetsAClickOnTheShadowReachTheWindowBelow) {
  RECT window{};
  GetWindowRect(main(), &window);
  const POINT shadow{(window.left + window.right) / 2, window.bottom + margin_ / 3};
  WindowBelow::forgetPresses();
  test::MouseTo(shadow);
  test::MouseButton(MOUSEEVENTF_LEFTDOWN);
  test::MouseButton(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(test::PumpUntil([] { return WindowBelow::presses() == 1; }));
  test::MouseTo(POINT{0, 0});
}

TEST_F(Halo, FollowsADragAndGoesAndComesWithMinimiseAndRestore) {
  // The press waits for the launcher's start step to end: a drag begun while it ran once left
  // the window where it was.
  ASSERT_TRUE(launcher_->process().waitIdle());
  RECT before{};
  GetWindowRect(main(), &before);
  // A press on the skin where no button lies drags the window.
  POINT grip{before.left + look_->width() / 2, before.top + 4};
  for (int y = 2; y < look_->height() && !look_->inOutline(grip.x - before.left, y); ++y) {
    grip.y = before.top + y + 1;
  }
  test::MouseTo(grip);
  test::MouseButton(MOUSEEVENTF_LEFTDOWN);
  for (int step = 1; step <= 4; ++step) {
    test::MouseTo(POINT{grip.x + 15 * step, grip.y + 10 * step});
    Sleep(30);
  }
  test::MouseButton(MOUSEEVENTF_LEFTUP);
  RECT after{};
  ASSERT_TRUE(test::WaitUntil([&] {
    GetWindowRect(main(), &after);
    return after.left == before.left + 60 && after.top == before.top + 40;
  }));
  EXPECT_TRUE(test::WaitUntil(haloAroundMain));

  HWND app = launcher_->applicationWindow();
  PostMessageA(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(waitHalo(false));
  PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(test::WaitUntil([] { return IsWindowVisible(main()) != FALSE; }));
  EXPECT_TRUE(test::WaitUntil(haloAroundMain));
  const HWND halo = waitHalo(true);
  EXPECT_TRUE(test::WaitUntil([&] { return GetWindow(main(), GW_HWNDNEXT) == halo; }));
}

// Wine reports no composition: with the default Halo=auto the skin's halo stays unshown, and
// the launcher has its one window as before.
TEST(HaloAuto, ShowsNoSecondWindowWhereTheSystemDoesNotCompose) {
  DemoOptions options;
  options.withHalo = true;
  DemoFolder folder(options);
  RunningLauncher launcher(folder);
  ASSERT_TRUE(launcher.waitMainWindow());
  EXPECT_TRUE(launcher.process().windows(kHaloClass, "", false).empty());
}

}  // namespace
}  // namespace ss::e2e
