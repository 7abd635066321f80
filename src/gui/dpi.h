// Display scale: the dots per inch of the monitor a window is on, and lengths of the design
// (made for 96 DPI) in the pixels of that monitor.
#pragma once

#include <windows.h>

namespace ss {

// The DPI every layout table and skin file is made for.
inline constexpr int kDesignDpi = 96;

// The DPI of the monitor `window` is on: GetDpiForWindow (Windows 10 1607 and later), else
// GetDpiForMonitor (8.1 and later), both looked up at run time, else the screen's LOGPIXELSX
// (Windows 7 and 8, and Wine, which has one DPI for every monitor).
int WindowDpi(HWND window);

// A design length at `dpi`: MulDiv(value, dpi, 96).
inline int Scaled(int value, int dpi) {
  return MulDiv(value, dpi, kDesignDpi);
}
inline RECT Scaled(const RECT& r, int dpi) {
  return {Scaled(r.left, dpi), Scaled(r.top, dpi), Scaled(r.right, dpi), Scaled(r.bottom, dpi)};
}

}  // namespace ss
