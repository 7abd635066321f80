// The entry point: title from the configuration, the icon, the main window, the message loop.
#include <windows.h>

#include "app/startup_error.h"
#include "config/config_file.h"
#include "config/config_store.h"
#include "config/global_vars.h"
#include "gui/application.h"
#include "gui/icon.h"
#include "shell/paths.h"
#include "ui/main/form_main.h"

namespace {

void RunLauncher() {
  ss::Application& app = ss::Application::Instance();
  {
    // The store lives for this block only, whether or not the reading succeeds.
    const ss::ConfigStore store = ss::LoadConfigStore(ss::ConfigFilePath());
    app.setTitle(ss::ReadValue(store, ss::kSystemSection, "Name", ""));
  }
  // One reading of the file for both sizes.
  const std::string icon = ss::ReadIconFile(ss::ExeFolder() + "icon.ico");
  app.setIcon(ss::IconFromFileBytes(icon), ss::IconFromFileBytes(icon, GetSystemMetrics(SM_CXSMICON)));
  app.handle();
  ss::TFormMain formMain;
  app.run();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything else: DLLs come from the system folder only, never from beside the exe.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  try {
    RunLauncher();
  } catch (...) {
    ss::ShowStartupError();
    return 1;
  }
  return 0;
}
