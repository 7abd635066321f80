#include "config/config_file.h"

#include "core/file_read.h"

namespace ss {

ConfigStore LoadConfigStore(const std::string& path) {
  return ParseConfigBuffer(ReadWholeFile(path));
}

}  // namespace ss
