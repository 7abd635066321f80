#include "config/global_vars.h"

#include "config/parse_integer.h"

namespace ss {

TGlobalVars GlobalVars;

void ReadGlobalVars(const ConfigStore& store, TGlobalVars& vars) {
  for (const Setting& setting : kSettings) {
    if (setting.kind == SettingKind::Title) continue;
    const std::string value = ReadValue(store, kSystemSection, setting.key, "");
    if (setting.number) {
      vars.*setting.number = ParseInteger(value);
    } else {
      vars.*setting.text = value;
    }
  }
}

}  // namespace ss
