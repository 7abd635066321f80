#include "gui/application.h"

#include "core/error_text.h"
#include "core/unicode.h"
#include "core/wide.h"
#include "gui/control.h"
#include "gui/form.h"

namespace ss {

namespace {
constexpr const char* kApplicationClass = "SuiteStartApplication";
// Posted to the application window to activate the main form (or its modal dialog) after
// the application window itself was activated, e.g. from its taskbar button.
constexpr UINT kActivateMainForm = WM_APP + 1;
// The zero-sized application window waits off-screen: Wine would otherwise map it as a
// one-pixel window over the main form.
constexpr int kParkedPosition = -32000;
}  // namespace

Application& Application::Instance() {
  static Application application;
  return application;
}

void Application::AppWindow::create() {
  createWindow(kApplicationClass, 0, 0,
               WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, "",
               kParkedPosition, kParkedPosition, 0, 0, nullptr, nullptr);
}

void Application::AppWindow::park() {
  SetWindowPos(handle(), nullptr, kParkedPosition, kParkedPosition, 0, 0,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Application::AppWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  Application& app = Application::Instance();
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) PostMessageW(handle(), kActivateMainForm, 0, 0);
      return 0;
    case kActivateMainForm: {
      if (GetActiveWindow() != handle() || IsIconic(handle())) return 0;
      // The most recently active owned window: the main form, or a modal dialog over it.
      HWND popup = GetLastActivePopup(handle());
      if (popup && popup != handle() && IsWindowVisible(popup) && IsWindowEnabled(popup)) {
        SetActiveWindow(popup);
      }
      return 0;
    }
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
          app.minimize();
          return 0;
        case SC_RESTORE:
          if (IsIconic(handle())) {
            app.restore();
            return 0;
          }
          break;
        case SC_CLOSE:
          if (app.mainForm()) app.mainForm()->close();
          return 0;
        default:
          break;
      }
      break;
    case WM_CLOSE:
      if (app.mainForm()) app.mainForm()->close();
      return 0;
    default:
      break;
  }
  return defaultHandler(message, wParam, lParam);
}

HWND Application::handle() {
  if (!window_.handleAllocated()) window_.create();
  return window_.handle();
}

std::string Application::title() {
  // Read back from the window, which holds what setTitle handed on.
  wchar_t buffer[kMaxTitleUnits + 1] = {};
  GetWindowTextW(handle(), buffer, kMaxTitleUnits + 1);
  return Narrow(buffer);
}

void Application::setTitle(const std::string& title) {
  // Only the first 255 characters (UTF-16 units) ever read back, so no more are handed on, cut
  // between characters: Wine passes a window's whole text to the X server as its name, and a
  // name of megabytes fails there with BadLength, which ends the process.
  SetWindowTextW(handle(), Wide(CutToUtf16Units(title, kMaxTitleUnits)).c_str());
}

void Application::setIcon(IconHandle icon, IconHandle smallIcon) {
  icon_ = std::move(icon);
  smallIcon_ = std::move(smallIcon);
  SendMessageW(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
  SendMessageW(handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(this->smallIcon()));
}

void Application::formCreated(Form* form) {
  if (!mainForm_) mainForm_ = form;
}

void Application::formDestroyed(Form* form) {
  if (mainForm_ == form) mainForm_ = nullptr;
}

void Application::mainFormShown() {
  if (!IsWindowVisible(handle())) ShowWindow(handle(), SW_SHOWNOACTIVATE);
}

void Application::run() {
  if (!mainForm_) return;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  const int showCommand =
      (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWNORMAL;
  if (showCommand == SW_SHOWMINNOACTIVE) {
    minimize();
  } else if (showCommand == SW_SHOWMAXIMIZED) {
    mainForm_->show(SW_SHOWMAXIMIZED);
  } else {
    mainForm_->show(SW_SHOW);
  }
  while (!terminated_) handleMessage();
}

void Application::terminate() {
  PostQuitMessage(0);
}

bool Application::processMessage() {
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  try {
    if (!preTranslateMessage(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  } catch (...) {
    handleCurrentException();
  }
  return true;
}

void Application::handleMessage() {
  if (!processMessage()) {
    try {
      idle();
    } catch (...) {
      handleCurrentException();
    }
    // Sleeps until input or a posted message arrives: nothing runs while the user is idle.
    WaitMessage();
  }
}

void Application::processMessages() {
  while (processMessage()) {
  }
  idle();
}

bool Application::preTranslateMessage(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR && msg.message != WM_SYSCHAR) {
    return false;
  }
  Window* window = Window::FromHandle(msg.hwnd);
  if (!window) return false;
  auto* control = dynamic_cast<WinControl*>(window);
  Form* form = control ? control->parent() : dynamic_cast<Form*>(window);
  if (!form) return false;
  switch (msg.message) {
    case WM_KEYDOWN:
      return form->dialogKey(control, static_cast<WORD>(msg.wParam), msg.lParam);
    case WM_CHAR:
      return form->dialogChar(static_cast<wchar_t>(msg.wParam), msg.lParam);
    case WM_SYSCHAR:
      // Alt+Space stays the system menu's.
      if (msg.wParam == ' ') return false;
      return form->dialogChar(static_cast<wchar_t>(msg.wParam), msg.lParam);
    default:
      return false;
  }
}

Control* Application::controlAtPointer(POINT point) const {
  HWND window = WindowFromPoint(point);
  if (!window) return nullptr;
  // A window disabled under a modal dialog takes no pointer notifications.
  HWND root = GetAncestor(window, GA_ROOT);
  if (root && !IsWindowEnabled(root)) return nullptr;
  Window* ours = Window::FromHandle(window);
  if (auto* control = dynamic_cast<WinControl*>(ours)) return control;
  if (auto* form = dynamic_cast<Form*>(ours)) {
    ScreenToClient(window, &point);
    return form->graphicControlAt(point);
  }
  return nullptr;
}

void Application::idle() {
  POINT point;
  Control* target = GetCursorPos(&point) ? controlAtPointer(point) : nullptr;
  // While a control holds the capture, only that control hears of enter and leave.
  if (HWND capture = GetCapture()) {
    Window* holder = Window::FromHandle(capture);
    Control* captor = dynamic_cast<WinControl*>(holder);
    if (!captor) {
      if (auto* form = dynamic_cast<Form*>(holder)) captor = form->captureControl();
    }
    if (captor && target != captor) target = nullptr;
  }
  if (target == mouseControl_) return;
  Control* previous = mouseControl_;
  mouseControl_ = target;
  if (previous) previous->notify(NotifyMouseLeave, 0, 0);
  if (target && target == mouseControl_) target->notify(NotifyMouseEnter, 0, 0);
}

void Application::controlDestroyed(Control* control) {
  if (mouseControl_ == control) mouseControl_ = nullptr;
}

void Application::handleCurrentException() {
  showErrorMessage(CurrentExceptionText().message);
}

void Application::showErrorMessage(const std::string& message) {
  HWND owner = GetActiveWindow();
  if (!owner) owner = handle();
  MessageBoxW(owner, Wide(ErrorBoxText(message)).c_str(), Wide(title()).c_str(),
              MB_OK | MB_ICONERROR);
}

void Application::minimize() {
  HWND app = handle();
  if (IsIconic(app)) return;
  Form* main = mainForm_;
  if (main && main->visible() && main->enabled()) {
    // The application window takes the main form's place just below it, so the system's
    // minimise animation starts from the main form; the owned main form hides with it.
    SetActiveWindow(app);
    SetWindowPos(app, main->handle(), main->left(), main->top(), main->width(), 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    DefWindowProcW(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else {
    ShowWindow(app, SW_SHOWMINNOACTIVE);
  }
}

void Application::restore() {
  HWND app = handle();
  if (IsIconic(app)) DefWindowProcW(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  window_.park();
  if (mainForm_ && !mainForm_->visible()) mainForm_->show();
  if (mainForm_) SetActiveWindow(GetLastActivePopup(app));
}

}  // namespace ss
