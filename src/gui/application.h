// The application object: title, icon, the hidden application window, the message loop with
// its idle-time pointer test, and the error boxes.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "gui/handle.h"
#include "gui/window.h"

namespace ss {

class Control;
class Form;

class Application {
 public:
  static Application& Instance();

  // The application's own top-level window: zero-sized, it carries the taskbar button and owns
  // every form. Created on first use.
  HWND handle();

  // The title (UTF-8) is the application window's text, which keeps 255 characters (UTF-16
  // units): a longer title reads back cut between two characters.
  static constexpr size_t kMaxTitleUnits = 255;
  std::string title();
  void setTitle(const std::string& title);

  // The icon at the system's icon size, and at its small size for captions and the taskbar.
  HICON icon() const { return icon_.get(); }
  HICON smallIcon() const { return smallIcon_ ? smallIcon_.get() : icon_.get(); }
  void setIcon(IconHandle icon, IconHandle smallIcon = IconHandle());

  // The first form created becomes the main form.
  Form* mainForm() const { return mainForm_; }
  void formCreated(Form* form);
  void formDestroyed(Form* form);
  // The main form was shown: the application window appears too (zero-sized), so the
  // application has its taskbar button.
  void mainFormShown();

  // Shows the main form with the start-up show command and dispatches messages until the
  // application terminates.
  void run();
  void terminate();
  bool terminated() const { return terminated_; }

  // Handles one message, or runs the idle step and waits when none is queued.
  void handleMessage();
  // Handles every queued message, then runs the idle step; never waits (tests use it).
  void processMessages();

  // The idle step: sends NotifyMouseLeave and NotifyMouseEnter when the control under the
  // pointer has changed.
  void idle();
  Control* mouseControl() const { return mouseControl_; }
  void controlDestroyed(Control* control);

  // Shows the standard error box for the exception in flight (inside a catch block).
  void handleCurrentException();
  // The standard error box: the title as caption, the message with its full stop.
  void showErrorMessage(const std::string& message);

  // Minimises the application to its taskbar button.
  void minimize();
  // Restores it and shows the main form again.
  void restore();

 private:
  class AppWindow : public Window {
   public:
    void create();
    // Back off-screen at zero size (after a minimise placed it over the main form).
    void park();

   protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  };

  Application() = default;
  // Handles one queued message; false when there was none.
  bool processMessage();
  bool preTranslateMessage(MSG& msg);
  Control* controlAtPointer(POINT point) const;

  AppWindow window_;
  IconHandle icon_;
  IconHandle smallIcon_;
  Form* mainForm_ = nullptr;
  Control* mouseControl_ = nullptr;
  bool terminated_ = false;
};

}  // namespace ss
