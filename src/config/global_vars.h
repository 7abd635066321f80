// The process-wide settings record, the table of the settings it is filled from, and its
// filling from the configuration file.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

#include "config/config_store.h"
#include "core/unicode.h"

namespace ss {

// When the halo behind the shaped window shows ([APPEARANCE] Halo=auto, always or never).
enum class HaloMode { Auto, Always, Never };

// Values read from the configuration file, plus the per-user data folder.
struct TGlobalVars {
  std::string SettingsFolder;
  std::string Version;
  std::string Copyright;
  std::int32_t Skin = 0;
  std::string ResFolder;
  std::string Moretoolstxt;
  std::string Moretoolslink;
  std::string HelpContectLink;
  std::string HelpHowTosTutorialVideosLink;
  std::string HelpHomePageLink;
  std::string HelpMoreFreeToolsLink;
  std::string HelpCheckForUpdatesLink;
  std::string HelpSupportLink;
  // Optional names of the launcher's buttons for screen readers ([ACCESSIBILITY], one entry per
  // button named by its control), keyed by the upper-cased control name; read after the rest.
  std::map<std::string, std::string> AccessibleNames;
  // [APPEARANCE] Halo, read last: auto when missing or anything else.
  HaloMode Halo = HaloMode::Auto;
};

// The section of the settings of the window's looks beyond its skin.
inline constexpr const char* kAppearanceSection = "APPEARANCE";

// The section of the buttons' names for screen readers.
inline constexpr const char* kAccessibilitySection = "ACCESSIBILITY";

// The name set for a control in [ACCESSIBILITY] (matched without regard to case), or empty.
std::string AccessibleNameSetting(const TGlobalVars& vars, std::string_view control);

// The one record of the process.
extern TGlobalVars GlobalVars;

// The section that holds every setting.
inline constexpr const char* kSystemSection = "SYSTEM";

// What a setting holds and where it goes.
enum class SettingKind {
  Title,    // the product's name: the application title, not a field of the record
  Text,     // a text field
  Integer,  // a 32-bit field read through ParseInteger
  Link,     // a text field handed to the shell as it stands
};

struct Setting {
  const char* key;  // its name in [SYSTEM]
  SettingKind kind;
  std::string TGlobalVars::*text = nullptr;     // the field of a Text or Link setting
  std::int32_t TGlobalVars::*number = nullptr;  // the field of an Integer setting
};

// Every setting the launcher reads, in reading order: the title first (read by the entry
// sequence), then the record's fields in the order in which they are filled.
// clang-format off
inline constexpr std::array<Setting, 13> kSettings{{
    {"Name", SettingKind::Title},
    {"Version", SettingKind::Text, &TGlobalVars::Version},
    {"Copyright", SettingKind::Text, &TGlobalVars::Copyright},
    {"Skin", SettingKind::Integer, nullptr, &TGlobalVars::Skin},
    {"ResFolder", SettingKind::Text, &TGlobalVars::ResFolder},
    {"Moretoolstxt", SettingKind::Text, &TGlobalVars::Moretoolstxt},
    {"Moretoolslink", SettingKind::Link, &TGlobalVars::Moretoolslink},
    {"HelpContectLink", SettingKind::Link, &TGlobalVars::HelpContectLink},
    {"HelpHowTosTutorialVideosLink", SettingKind::Link, &TGlobalVars::HelpHowTosTutorialVideosLink},
    {"HelpHomePageLink", SettingKind::Link, &TGlobalVars::HelpHomePageLink},
    {"HelpMoreFreeToolsLink", SettingKind::Link, &TGlobalVars::HelpMoreFreeToolsLink},
    {"HelpCheckForUpdatesLink", SettingKind::Link, &TGlobalVars::HelpCheckForUpdatesLink},
    {"HelpSupportLink", SettingKind::Link, &TGlobalVars::HelpSupportLink},
}};
// clang-format on

// The title's setting, and the setting of a field of the record (every field but
// SettingsFolder has one).
constexpr const Setting& TitleSetting() {
  return kSettings[0];
}
constexpr const Setting& SettingOf(std::string TGlobalVars::*field) {
  for (const Setting& setting : kSettings) {
    if (setting.text == field) return setting;
  }
  throw std::logic_error("a field without a setting");
}
constexpr const Setting& SettingOf(std::int32_t TGlobalVars::*field) {
  for (const Setting& setting : kSettings) {
    if (setting.number == field) return setting;
  }
  throw std::logic_error("a field without a setting");
}

// A setting's value as text: its bytes as the store holds them, UTF-8 when they are valid
// UTF-8 and legacy code-page text otherwise, converted once, here.
std::string ReadSetting(const ConfigStore& store, const Setting& setting,
                        const LegacyDecoder& legacy);

// Reads the settings from `store` into `vars` in their fixed order, storing each field before
// the next key is read, so an invalid "Skin" leaves exactly Version and Copyright set (and no
// names for screen readers, which come last). Legacy
// text is decoded with `legacy` (the launcher passes the system's code page).
void ReadGlobalVars(const ConfigStore& store, TGlobalVars& vars,
                    const LegacyDecoder& legacy = DecodeWindows1252);

}  // namespace ss
