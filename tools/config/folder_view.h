// A launcher folder seen through Windows paths, so that it can be checked from any system.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ss::tool {

// True when two names differ at most in the letter case of A to Z, as Windows compares the
// launcher's file and setting names.
bool SameName(std::string_view a, std::string_view b);

// A file as the launcher would find it.
struct FileRead {
  enum State { Missing, Folder, Unreadable, Read } state = Missing;
  std::string bytes;
  std::string error;  // the launcher's own file-open message when unreadable
};

// Finds entries by relative Windows paths: "sounds\Blue\7.BMP" finds sounds/blue/7.bmp, since
// Windows (and Wine) ignore letter case in file names and Linux does not.
class FolderView {
 public:
  explicit FolderView(const std::string& root);

  // The entry's path on disk, or nothing when some part of the path is missing.
  std::optional<std::filesystem::path> find(std::string_view relative) const;
  bool isFolder(std::string_view relative) const;
  // Reads the file as the launcher does, telling a missing file from a folder or a refusal.
  FileRead read(std::string_view relative) const;
  // The names of the folders directly inside `relative`, sorted.
  std::vector<std::string> subfolders(std::string_view relative) const;
  // The names of the other entries directly inside `relative` (its files), sorted.
  std::vector<std::string> files(std::string_view relative) const;
  // Why the folder `relative`, which exists, cannot be listed; nothing when it can.
  std::optional<std::string> listError(std::string_view relative) const;

 private:
  std::vector<std::string> entries(std::string_view relative, bool folders) const;

  std::filesystem::path root_;
};

}  // namespace ss::tool
