// The start-up benchmark's yardstick: the least a Win32 program does to show one plain window,
// at the screen's DPI as a DPI-aware program does (Wine treats every program as DPI-aware; on
// Windows this one would need a manifest saying so).
// Built as busy_window.exe (SS_BUSY_WINDOW) it spins instead of waiting for messages: the idle
// benchmark's control that proves its CPU reading sees a busy process.
// Built as windows_floor.exe (SS_WINDOWS_FLOOR) it makes the launcher's windows with nothing of
// the launcher in them: a hidden owner, the frameless window, ten child windows where the
// buttons lie, each painting kChildColour through its own WM_PAINT, and with "halo" on its
// command line a layered window of per-pixel alpha below it, as large as the halo's. What it
// costs over the plain window is what those windows cost here, whatever their content.
#include <windows.h>

#ifdef SS_WINDOWS_FLOOR
#include <cstdint>
#include <cstring>

#include "ui/main/form_main_tables.h"
#endif

namespace {

// The colour the benchmark looks for on the screen, and the size at 96 DPI.
constexpr COLORREF kBackground = RGB(0x31, 0x6A, 0xA5);
constexpr int kWidth = 444;
constexpr int kHeight = 217;
constexpr int kDesignDpi = 96;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

#ifdef SS_WINDOWS_FLOOR
// What the floor's child windows paint (tests/bench/startup_bench.cpp looks for it).
constexpr COLORREF kChildColour = RGB(0xA5, 0x6A, 0x31);
// The halo's margin on every side at 96 DPI, as the default skins draw it.
constexpr int kHaloMargin = 12;

HBRUSH g_colour = nullptr;

LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    FillRect(dc, &paint.rcPaint, g_colour);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// A class of no background of its own.
bool Register(HINSTANCE instance, const char* name, WNDPROC procedure) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  return RegisterClassA(&windowClass) != 0;
}

// A layered window of the halo's size around `window`, faintly dark all over, shown below it.
bool ShowHalo(HINSTANCE instance, HWND owner, HWND window, int margin) {
  RECT r;
  GetWindowRect(window, &r);
  const int width = r.right - r.left + 2 * margin, height = r.bottom - r.top + 2 * margin;
  HWND halo = CreateWindowExA(
      WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, "FloorHalo", "",
      WS_POPUP, 0, 0, width, height, owner, nullptr, instance, nullptr);
  if (!halo) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return false;
  auto* pixel = static_cast<std::uint32_t*>(bits);
  for (int i = 0; i < width * height; ++i) pixel[i] = 0x20000000;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  POINT at{r.left - margin, r.top - margin}, origin{0, 0};
  SIZE size{width, height};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  const bool shown =
      UpdateLayeredWindow(halo, nullptr, &at, &size, dc, &origin, 0, &blend, ULW_ALPHA) != FALSE;
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return shown && SetWindowPos(halo, window, at.x, at.y, 0, 0,
                               SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
}
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = CreateSolidBrush(kBackground);
  windowClass.lpszClassName = "PlainWindow";
  if (!RegisterClassA(&windowClass)) return 1;
  // Frameless and centred, like the launcher, and as much larger as the screen's DPI says; the
  // colour fills all of it.
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  const int width = MulDiv(kWidth, dpi, kDesignDpi);
  const int height = MulDiv(kHeight, dpi, kDesignDpi);
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
#ifndef SS_WINDOWS_FLOOR
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Plain window", WS_POPUP | WS_VISIBLE,
                                left, top, width, height, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
#else
  g_colour = CreateSolidBrush(kChildColour);
  if (!Register(instance, "FloorOwner", DefWindowProcA) ||
      !Register(instance, "FloorChild", ChildProc) ||
      !Register(instance, "FloorHalo", DefWindowProcA)) {
    return 1;
  }
  HWND owner = CreateWindowExA(0, "FloorOwner", "Plain window", WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, instance, nullptr);
  // The launcher's styles: its window does not clip its children.
  HWND window =
      CreateWindowExA(0, windowClass.lpszClassName, "Plain window", WS_POPUP | WS_CLIPSIBLINGS,
                      left, top, width, height, owner, nullptr, instance, nullptr);
  if (!owner || !window) return 1;
  for (const ss::main_window::ButtonLayout& b : ss::main_window::kButtons) {
    if (!CreateWindowExA(0, "FloorChild", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS,
                         MulDiv(b.left, dpi, kDesignDpi), MulDiv(b.top, dpi, kDesignDpi),
                         MulDiv(b.width, dpi, kDesignDpi), MulDiv(b.height, dpi, kDesignDpi),
                         window, nullptr, instance, nullptr)) {
      return 1;
    }
  }
  if (std::strstr(GetCommandLineA(), " halo") &&
      !ShowHalo(instance, owner, window, MulDiv(kHaloMargin, dpi, kDesignDpi))) {
    return 1;
  }
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
#endif
  MSG msg;
#ifdef SS_BUSY_WINDOW
  for (;;) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return 0;
      DispatchMessageA(&msg);
    }
  }
#endif
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
