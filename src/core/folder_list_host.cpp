// Host build: folders listed through the C++ library.
#include <filesystem>
#include <system_error>

#include "core/folder_list.h"

namespace ss {

std::optional<FolderEntries> ListFolder(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::directory_iterator entry(folder, error);
  if (error) return std::nullopt;
  FolderEntries entries;
  for (; entry != fs::directory_iterator(); entry.increment(error)) {
    if (error) return std::nullopt;
    std::string name = entry->path().filename().string();
    (entry->is_directory(error) ? entries.folders : entries.files).push_back(std::move(name));
  }
  if (error) return std::nullopt;
  return entries;
}

}  // namespace ss
