// Windows build: the user's preferred interface languages and the language files beside the exe.
#include <windows.h>

#include "config/language.h"
#include "core/file_read.h"
#include "core/wide.h"
#include "shell/paths.h"

namespace ss {

namespace {

// The user's interface languages, most preferred first ("de-AT", "en-US"); empty when the system
// cannot tell.
std::vector<std::string> UserInterfaceLanguages() {
  ULONG count = 0;
  ULONG units = 0;
  if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &units) || units == 0) {
    return {};
  }
  std::wstring list(units, L'\0');
  if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, list.data(), &units)) return {};
  std::vector<std::string> languages;
  // Names separated by NULs, the list ended by two.
  for (std::size_t start = 0; start < list.size() && list[start] != L'\0';) {
    const std::size_t end = list.find(L'\0', start);
    languages.push_back(Narrow(list.substr(start, end - start)));
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  return languages;
}

}  // namespace

void ChooseLauncherLanguage(const ConfigStore& settings) {
  const std::string folder = ExeFolder() + kLanguageFolder;
  LauncherLanguage = ChooseLanguage(
      ReadValue(settings, kLanguageSection, kLanguageUseKey, ""), UserInterfaceLanguages(),
      [&folder](const std::string& tag) -> std::optional<std::string> {
        try {
          // One byte past the limit is enough to know a file is too large.
          return ReadFileStart(folder + tag + ".ini", kMaxLanguageFileBytes + 1);
        } catch (...) {
          return std::nullopt;
        }
      },
      SystemLegacyDecoder());
}

}  // namespace ss
