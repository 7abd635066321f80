// The process-wide settings record and its filling from the configuration file.
#pragma once

#include <cstdint>
#include <string>

#include "config/config_store.h"

namespace ss {

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
};

// The one record of the process.
extern TGlobalVars GlobalVars;

// The section that holds every setting.
inline constexpr const char* kSystemSection = "SYSTEM";

// Reads the settings from `store` into `vars` in their fixed order, storing each field before
// the next key is read, so an invalid "Skin" leaves exactly Version and Copyright set.
void ReadGlobalVars(const ConfigStore& store, TGlobalVars& vars);

}  // namespace ss
