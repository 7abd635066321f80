// Reading the configuration file from disk.
#pragma once

#include <string>

#include "config/config_store.h"

namespace ss {

// The configuration file's name beside the executable.
inline constexpr const char* kConfigFileName = "tarvix.dll";

// Reads the whole file, opened for reading with read sharing only, and parses it.
// Raises EFOpenError "Cannot open file "%s". %s" when it cannot be opened.
ConfigStore LoadConfigStore(const std::string& path);

#ifdef _WIN32
// The executable's folder plus the configuration file's name.
std::string ConfigFilePath();

// Reads the configuration file into GlobalVars.
void LoadGlobalVars();
#endif

}  // namespace ss
