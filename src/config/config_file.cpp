#include "config/config_file.h"

#include "shell/file_read.h"

namespace ss {

ConfigStore LoadConfigStore(const std::string& path) {
  return ParseConfigBuffer(ReadWholeFile(path));
}

}  // namespace ss
