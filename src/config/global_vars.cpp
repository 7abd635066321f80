#include "config/global_vars.h"

#include "config/parse_integer.h"

namespace ss {

TGlobalVars GlobalVars;

std::string ReadSetting(const ConfigStore& store, const Setting& setting,
                        const LegacyDecoder& legacy) {
  return SettingText(ReadValue(store, kSystemSection, setting.key, ""), legacy);
}

void ReadGlobalVars(const ConfigStore& store, TGlobalVars& vars, const LegacyDecoder& legacy) {
  for (const Setting& setting : kSettings) {
    if (setting.kind == SettingKind::Title) continue;
    const std::string value = ReadSetting(store, setting, legacy);
    if (setting.number) {
      vars.*setting.number = ParseInteger(value);
    } else {
      vars.*setting.text = value;
    }
  }
  for (const auto& [name, value] : SectionEntries(store, kAccessibilitySection)) {
    vars.AccessibleNames[UpperCaseName(name)] = SettingText(value, legacy);
  }
  const std::string halo = UpperCaseName(ReadValue(store, kAppearanceSection, "Halo", ""));
  vars.Halo = halo == "ALWAYS"  ? HaloMode::Always
              : halo == "NEVER" ? HaloMode::Never
                                : HaloMode::Auto;
}

std::string AccessibleNameSetting(const TGlobalVars& vars, std::string_view control) {
  const auto found = vars.AccessibleNames.find(UpperCaseName(control));
  return found == vars.AccessibleNames.end() ? std::string() : found->second;
}

}  // namespace ss
