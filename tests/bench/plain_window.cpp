// The start-up benchmark's yardstick: the least a Win32 program does to show one plain window.
// Built as busy_window.exe (SS_BUSY_WINDOW) it spins instead of waiting for messages: the idle
// benchmark's control that proves its CPU reading sees a busy process.
#include <windows.h>

namespace {

// The colour the benchmark looks for on the screen.
constexpr COLORREF kBackground = RGB(0x31, 0x6A, 0xA5);
constexpr int kWidth = 444;
constexpr int kHeight = 217;

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
  // Frameless and centred, like the launcher.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Plain window", WS_POPUP | WS_VISIBLE,
                                left, top, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
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
