// The entry point: title from the configuration, the icon, the main window, the message loop.
#include <windows.h>

#include "app/startup_error.h"
#include "config/config_file.h"
#include "config/config_store.h"
#include "config/global_vars.h"
#include "config/language.h"
#include "core/wide.h"
#include "gui/application.h"
#include "gui/icon.h"
#include "shell/paths.h"
#include "ui/main/form_main.h"

namespace {

// The launcher takes no typed text: its thread goes without an input method, so keys reach
// the buttons as they are (Space, Return, the arrows, menu mnemonics) even while an input
// method is switched on, and no input method window is made when the first button takes the
// focus. The user interface library loads imm32 itself; it is only looked up here, never
// loaded, so no copy beside the exe can come in through this.
void DisableInputMethod() {
  HMODULE imm = GetModuleHandleW(L"imm32.dll");
  if (!imm) return;
  using DisableIme = BOOL(WINAPI*)(DWORD);
  if (auto disable = reinterpret_cast<DisableIme>(
          reinterpret_cast<void*>(GetProcAddress(imm, "ImmDisableIME")))) {
    disable(0);  // this thread
  }
}

void RunLauncher() {
  ss::Application& app = ss::Application::Instance();
  std::unique_ptr<ss::SkinPreparation> skin;
  {
    // The store lives for this block only, whether or not the reading succeeds.
    const ss::ConfigStore store = ss::LoadConfigStore(ss::ConfigFilePath());
    app.setTitle(ss::ReadSetting(store, ss::TitleSetting(), ss::SystemLegacyDecoder()));
    ss::ChooseLauncherLanguage(store);
    // The skin is read and decoded on other threads while the windows are made.
    skin = ss::TFormMain::PrepareSkin(store);
  }
  // One reading of the file for both sizes.
  const std::string icon = ss::ReadIconFile(ss::ExeFolder() + "icon.ico");
  app.setIcon(ss::IconFromFileBytes(icon),
              ss::IconFromFileBytes(icon, GetSystemMetrics(SM_CXSMICON)));
  app.handle();
  ss::TFormMain formMain(std::move(skin));
  app.run();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything else: DLLs come from the system folder only, never from beside the exe.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  DisableInputMethod();
  try {
    RunLauncher();
  } catch (...) {
    ss::ShowStartupError();
    return 1;
  }
  return 0;
}
