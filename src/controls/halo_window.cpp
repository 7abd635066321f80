#include "controls/halo_window.h"

#include <cstdint>
#include <iterator>

#include "gui/bitmap.h"
#include "gui/handle.h"

namespace ss {

namespace {

constexpr const char* kHaloClass = "SuiteStartHalo";

// The checks of the halo's place after it shows, each this long after the one before.
constexpr UINT_PTR kCheckTimer = 1;
constexpr UINT kCheckDelaysMs[] = {50, 250, 1000};

// Asked of dwmapi.dll at run time: the launcher runs where it is missing too.
bool CompositionEnabled() {
  HMODULE dwm = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!dwm) return false;
  using IsEnabled = HRESULT(WINAPI*)(BOOL*);
  const auto isEnabled = reinterpret_cast<IsEnabled>(
      reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")));
  BOOL enabled = FALSE;
  const bool composes = isEnabled && SUCCEEDED(isEnabled(&enabled)) && enabled;
  FreeLibrary(dwm);
  return composes;
}

bool HighContrast() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace

bool HaloWanted(HaloMode mode) {
  switch (mode) {
    case HaloMode::Always:
      return true;
    case HaloMode::Never:
      return false;
    case HaloMode::Auto:
      break;
  }
  return CompositionEnabled() && !HighContrast();
}

HaloWindow::HaloWindow(Form& form) : form_(form) {}

HaloWindow::~HaloWindow() {
  remove();
}

bool HaloWindow::setPicture(const HaloPicture& halo) {
  const PixelImage& image = halo.pixels;
  if (!handleAllocated()) {
    // Owned by the form's owner, not by the form: the system keeps an owned window above its
    // owner, and the halo must lie below the form. With the form it minimises, restores and
    // closes, and like it has no taskbar button.
    createWindow(kHaloClass, 0,
                 WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, WS_POPUP,
                 "", 0, 0, image.width, image.height, GetWindow(form_.handle(), GW_OWNER), nullptr);
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  bool shown = false;
  if (bitmap && bits) {
    auto* out = static_cast<std::uint32_t*>(bits);
    for (const std::uint32_t p : image.pixels) *out++ = SwapRedBlue(p);
    BitmapDc source(bitmap.get());
    RECT formRect;
    GetWindowRect(form_.handle(), &formRect);
    POINT at{formRect.left - halo.left, formRect.top - halo.top};
    SIZE size{image.width, image.height};
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    shown = UpdateLayeredWindow(handle(), nullptr, &at, &size, source.get(), &origin, 0, &blend,
                                ULW_ALPHA) != FALSE;
  }
  if (!shown) {
    remove();
    return false;
  }
  left_ = halo.left;
  top_ = halo.top;
  follow();
  return true;
}

void HaloWindow::remove() {
  if (handleAllocated()) destroyWindow();
}

void HaloWindow::place(int formLeft, int formTop, bool visible) {
  // Most of the form's changes (its size, its region, its paint) leave the halo where it is:
  // each call into a layered window costs Wine a round trip to the X server.
  const bool shown = IsWindowVisible(handle()) != FALSE;
  RECT r;
  GetWindowRect(handle(), &r);
  if (shown == visible && (!visible || (r.left == formLeft - left_ && r.top == formTop - top_ &&
                                        GetWindow(form_.handle(), GW_HWNDNEXT) == handle()))) {
    return;
  }
  SetWindowPos(handle(), form_.handle(), formLeft - left_, formTop - top_, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER |
                   (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  // Under Wine the window system's first exposure of a halo just shown raises it above the
  // form, with no message to either window, whenever the thread next takes the window
  // system's events: checked again a few times while that can still come.
  if (visible && !shown) {
    nextCheck_ = 0;
    SetTimer(handle(), kCheckTimer, kCheckDelaysMs[0], nullptr);
  }
}

void HaloWindow::follow() {
  if (!handleAllocated()) return;
  RECT r;
  GetWindowRect(form_.handle(), &r);
  place(r.left, r.top, IsWindowVisible(form_.handle()) && !IsIconic(form_.handle()));
}

void HaloWindow::formShowing(const WINDOWPOS& pos) {
  if (!handleAllocated() || !(pos.flags & SWP_SHOWWINDOW)) return;
  RECT r;
  GetWindowRect(form_.handle(), &r);
  const bool moves = !(pos.flags & SWP_NOMOVE);
  place(moves ? pos.x : r.left, moves ? pos.y : r.top, true);
}

LRESULT HaloWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST:
      // Input falls through to whatever lies below (WS_EX_TRANSPARENT does it across windows
      // of other threads and processes).
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_GETOBJECT:
      // Nothing for screen readers: the halo is decoration.
      return 0;
    case WM_TIMER:
      if (wParam != kCheckTimer) break;
      KillTimer(handle(), kCheckTimer);
      if (++nextCheck_ < std::size(kCheckDelaysMs)) {
        SetTimer(handle(), kCheckTimer, kCheckDelaysMs[nextCheck_], nullptr);
      }
      follow();
      return 0;
  }
  return Window::handleMessage(message, wParam, lParam);
}

}  // namespace ss
