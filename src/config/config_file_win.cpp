// Windows build: the configuration file beside the executable, read into the settings record.
#include "config/config_file.h"
#include "config/global_vars.h"
#include "core/wide.h"
#include "shell/paths.h"

namespace ss {

std::string ConfigFilePath() {
  return ExeFolder() + kConfigFileName;
}

void LoadGlobalVars() {
  ReadGlobalVars(LoadConfigStore(ConfigFilePath()), GlobalVars, SystemLegacyDecoder());
}

}  // namespace ss
