#include "config/global_vars.h"

#include "config/parse_integer.h"

namespace ss {

TGlobalVars GlobalVars;

void ReadGlobalVars(const ConfigStore& store, TGlobalVars& vars) {
  auto read = [&](const char* key) { return ReadValue(store, kSystemSection, key, ""); };
  vars.Version = read("Version");
  vars.Copyright = read("Copyright");
  vars.Skin = ParseInteger(read("Skin"));
  vars.ResFolder = read("ResFolder");
  vars.Moretoolstxt = read("Moretoolstxt");
  vars.Moretoolslink = read("Moretoolslink");
  vars.HelpContectLink = read("HelpContectLink");
  vars.HelpHowTosTutorialVideosLink = read("HelpHowTosTutorialVideosLink");
  vars.HelpHomePageLink = read("HelpHomePageLink");
  vars.HelpMoreFreeToolsLink = read("HelpMoreFreeToolsLink");
  vars.HelpCheckForUpdatesLink = read("HelpCheckForUpdatesLink");
  vars.HelpSupportLink = read("HelpSupportLink");
}

}  // namespace ss
