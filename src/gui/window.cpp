#include "gui/window.h"

#include "core/errors.h"
#include "gui/application.h"
#include "core/system_error.h"
#include "core/wide.h"

namespace ss {

Window::~Window() {
  destroyWindow();
}

Window* Window::FromHandle(HWND window) {
  if (!window) return nullptr;
  // Another instance's windows run the same procedure, with pointers into another process.
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return nullptr;
  // Only the classes registered here have this procedure: another window's GWLP_USERDATA (a
  // message box's, a menu's) is never taken for one of ours. The class's procedure, not the
  // window's: a tool that subclasses one of our windows leaves it ours. Both are read in the
  // process, with no call to the window server (a property would be one).
  if (GetClassLongPtrW(window, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&Trampoline)) {
    return nullptr;
  }
  return reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Window::createWindow(const char* className, UINT classStyle, DWORD exStyle, DWORD style,
                          const char* text, int x, int y, int width, int height, HWND parent,
                          HMENU id) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const std::wstring wideClass = Wide(className);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExW(instance, wideClass.c_str(), &existing)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = &Window::Trampoline;
    wc.hInstance = instance;
    wc.hCursor = nullptr;  // every window answers WM_SETCURSOR itself
    wc.hbrBackground = nullptr;
    wc.lpszClassName = wideClass.c_str();
    RegisterClassExW(&wc);
  }
  CreateWindowExW(exStyle, wideClass.c_str(), Wide(text).c_str(), style, x, y, width, height,
                  parent, id, instance, this);
  if (!handle_) throw EOutOfResources(SystemErrorText(GetLastError()));
}

void Window::createSuperclassedWindow(const char* systemClass, const char* className, DWORD exStyle,
                                      DWORD style, const char* text, int x, int y, int width,
                                      int height, HWND parent, HMENU id) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const std::wstring wideClass = Wide(className);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExW(nullptr, Wide(systemClass).c_str(), &wc)) {
    throw EOutOfResources(SystemErrorText(GetLastError()));
  }
  baseProc_ = wc.lpfnWndProc;
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExW(instance, wideClass.c_str(), &existing)) {
    wc.lpfnWndProc = &Window::Trampoline;
    wc.hInstance = instance;
    wc.lpszClassName = wideClass.c_str();
    wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    RegisterClassExW(&wc);
  }
  CreateWindowExW(exStyle, wideClass.c_str(), Wide(text).c_str(), style, x, y, width, height,
                  parent, id, instance, this);
  if (!handle_) throw EOutOfResources(SystemErrorText(GetLastError()));
}

void Window::destroyWindow() {
  if (handle_) DestroyWindow(handle_);
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return defaultHandler(message, wParam, lParam);
}

LRESULT Window::defaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  if (baseProc_) return CallWindowProcW(baseProc_, handle_, message, wParam, lParam);
  return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Trampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    // This procedure runs for windows of the classes registered here only, on their thread: the
    // pointer is the one stored at WM_NCCREATE (none before it or after WM_NCDESTROY). Every
    // message passes here, so without FromHandle's checks.
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);

  LRESULT result = 0;
  // The barrier: no C++ exception crosses into the system's code.
  try {
    result = self->handleMessage(message, wParam, lParam);
  } catch (...) {
    // A failed paint would be retried forever unless its area is validated.
    if (message == WM_PAINT) ValidateRect(window, nullptr);
    Application::Instance().handleCurrentException();
    result = 0;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
  }
  return result;
}

}  // namespace ss
