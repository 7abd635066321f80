#include "gui/start_file.h"

#include <windows.h>

#include "gui/application.h"
#include "gui/cursors.h"
#include "shell/shell.h"

namespace ss {

namespace {

ShellOpenFunction& ShellOpen() {
  static ShellOpenFunction function;
  return function;
}

}  // namespace

void StartFile(const std::string& target) {
  BeginBusy();
  struct EndBusyAtExit {
    ~EndBusyAtExit() { EndBusy(); }
  } endBusy;
  HWND owner = Application::Instance().handle();
  if (ShellOpen()) {
    ShellOpen()(owner, target, SW_SHOWDEFAULT);
    return;
  }
  OpenWithShell(owner, target, SW_SHOWDEFAULT);
}

void SetShellOpenFunction(ShellOpenFunction function) {
  ShellOpen() = std::move(function);
}

}  // namespace ss
