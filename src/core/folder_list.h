// Listing a folder's entries, and joining names into paths the system takes.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ss {

// What ends a folder's name in a path: "\" on Windows, "/" elsewhere.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The names directly inside a folder, in the order the system gives them ("." and ".." left
// out).
struct FolderEntries {
  std::vector<std::string> files;
  std::vector<std::string> folders;
};

// The entries of `folder` (a path ending in kPathSeparator); nullopt when it cannot be listed
// (missing, no folder, access refused).
std::optional<FolderEntries> ListFolder(const std::string& folder);

}  // namespace ss
