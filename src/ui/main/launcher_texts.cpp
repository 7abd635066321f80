#include "ui/main/launcher_texts.h"

#include <windows.h>

#include "config/global_vars.h"
#include "config/language.h"
#include "core/unicode.h"
#include "gui/application.h"

namespace ss {

std::string LocalYear() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return std::to_string(now.wYear);
}

std::string LauncherText(std::string_view key, std::string_view english, std::size_t maxUnits) {
  const PlaceholderValues values{Application::Instance().title(), LocalYear(), GlobalVars.Copyright,
                                 GlobalVars.Version};
  // A translation is held to its place; the built-in texts are as they always were.
  const std::optional<std::string> translated = LauncherLanguage.find(kLanguageTextSection, key);
  return FillPlaceholders(translated ? CutToUtf16Units(*translated, maxUnits) : english, values);
}

std::string ButtonReaderName(const main_window::ButtonLayout& button) {
  std::optional<std::string> name = LauncherLanguage.find(kAccessibilitySection, button.name);
  if (name && !name->empty()) return CutToUtf16Units(*name, 1024);
  const std::string setting = AccessibleNameSetting(GlobalVars, button.name);
  return setting.empty() ? std::string(button.accessibleName) : setting;
}

}  // namespace ss
