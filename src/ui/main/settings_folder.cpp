#include "ui/main/settings_folder.h"

#include <cstring>

namespace ss {

std::string SettingsFolderName(const std::string& title) {
  std::string name = title;
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || std::strchr("\\/:*?\"<>|", c) != nullptr) c = ' ';
  }
  if (!name.empty() && name.find_first_not_of('.') == std::string::npos)
    name.assign(name.size(), ' ');
  return name;
}

}  // namespace ss
