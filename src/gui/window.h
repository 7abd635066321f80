// The tie between a C++ object and its HWND: one trampoline, one exception barrier.
#pragma once

#include <windows.h>

namespace ss {

// Base of every window of the framework. The object is passed through CreateWindowEx and
// adopted on WM_NCCREATE; from then on messages reach handleMessage().
class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND handle() const { return handle_; }
  bool handleAllocated() const { return handle_ != nullptr; }

  // The framework object behind a window of ours, or nullptr for any other window.
  static Window* FromHandle(HWND window);

 protected:
  // Registers the class once (a no-op when it exists) and creates the window with `this`.
  void createWindow(const char* className, UINT classStyle, DWORD exStyle, DWORD style,
                    const char* text, int x, int y, int width, int height, HWND parent, HMENU id);
  // Creates a window of a system class (such as "BUTTON") under a class of our own whose
  // procedure is ours; unhandled messages go to the system class's procedure.
  void createSuperclassedWindow(const char* systemClass, const char* className, DWORD exStyle,
                                DWORD style, const char* text, int x, int y, int width, int height,
                                HWND parent, HMENU id);
  void destroyWindow();

  // The message handler: a switch that calls small handlers, ending in defaultHandler().
  virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT defaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Trampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
  WNDPROC baseProc_ = nullptr;
};

}  // namespace ss
