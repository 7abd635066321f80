#include "gui/dpi.h"

#include "gui/handle.h"

namespace ss {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
// GetDpiForMonitor's MONITOR_DPI_TYPE: the effective DPI, which includes the user's scale.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;

template <typename Function>
Function Lookup(const wchar_t* dll, const char* name, bool load) {
  // user32 is loaded already; shcore is loaded from the system folder only, never from beside
  // the exe.
  HMODULE module =
      load ? LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32) : GetModuleHandleW(dll);
  if (!module) return nullptr;
  // Through void*: GCC warns about a direct cast between unrelated function pointer types.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

int ScreenDpi() {
  WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
  return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int WindowDpi(HWND window) {
  static const auto forWindow =
      Lookup<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow", false);
  if (forWindow && window) {
    if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
  }
  static const auto forMonitor =
      Lookup<GetDpiForMonitorFunction>(L"shcore.dll", "GetDpiForMonitor", true);
  if (forMonitor) {
    HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                              : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    UINT x = 0;
    UINT y = 0;
    if (SUCCEEDED(forMonitor(monitor, kEffectiveDpi, &x, &y)) && x > 0) return static_cast<int>(x);
  }
  return ScreenDpi();
}

}  // namespace ss
