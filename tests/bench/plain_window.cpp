// The start-up benchmark's yardstick: the least a Win32 program does to show one plain window,
// at the screen's DPI as a DPI-aware program does (Wine treats every program as DPI-aware; on
// Windows this one would need a manifest saying so).
// Built as busy_window.exe (SS_BUSY_WINDOW) it spins instead of waiting for messages: the idle
// benchmark's control that proves its CPU reading sees a busy process.
#include <windows.h>

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
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Plain window", WS_POPUP | WS_VISIBLE,
                                left, top, width, height, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
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
