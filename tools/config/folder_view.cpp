#include "tools/config/folder_view.h"

#include <algorithm>

#include "core/errors.h"
#include "core/file_read.h"

namespace ss::tool {

namespace fs = std::filesystem;

namespace {

// Paths from and to UTF-8 names: a plain std::string is of the ANSI code page on Windows.
fs::path PathOf(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string NameOf(const fs::path& path) {
  const std::u8string name = path.filename().u8string();
  return std::string(name.begin(), name.end());
}

// The entry of `folder` named `name`: the exact name first, as Wine prefers it, else the first
// name (in sorted order) that differs only in case; Windows itself cannot hold both.
std::optional<fs::path> Child(const fs::path& folder, std::string_view name) {
  std::error_code ec;
  const fs::path exact = folder / PathOf(name);
  if (fs::exists(exact, ec)) return exact;
  std::optional<fs::path> found;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
    const std::string entryName = NameOf(entry.path());
    if (SameName(entryName, name) && (!found || entryName < NameOf(*found))) {
      found = entry.path();
    }
  }
  return found;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  const auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return fold(x) == fold(y); });
}

FolderView::FolderView(const std::string& root)
    : root_(fs::absolute(PathOf(root)).lexically_normal()) {}

std::optional<fs::path> FolderView::find(std::string_view relative) const {
  fs::path at = root_;
  size_t pos = 0;
  while (pos <= relative.size()) {
    const size_t end = std::min(relative.find_first_of("\\/", pos), relative.size());
    const std::string_view part = relative.substr(pos, end - pos);
    pos = end + 1;
    // Windows resolves "." and ".." by the text of the path, before it looks at the disk.
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      at = at.parent_path();
      continue;
    }
    std::optional<fs::path> next = Child(at, part);
    if (!next) return std::nullopt;
    at = *next;
  }
  return at;
}

bool FolderView::isFolder(std::string_view relative) const {
  std::error_code ec;
  const std::optional<fs::path> path = find(relative);
  return path && fs::is_directory(*path, ec);
}

FileRead FolderView::read(std::string_view relative) const {
  FileRead file;
  const std::optional<fs::path> path = find(relative);
  std::error_code ec;
  if (!path || !fs::exists(*path, ec)) return file;
  if (fs::is_directory(*path, ec)) {
    file.state = FileRead::Folder;
    return file;
  }
  try {
    const std::u8string name = path->u8string();
    file.bytes = ReadWholeFile(std::string(name.begin(), name.end()));
    file.state = FileRead::Read;
  } catch (const Exception& error) {
    file.state = FileRead::Unreadable;
    file.error = error.message();
  }
  return file;
}

std::vector<std::string> FolderView::subfolders(std::string_view relative) const {
  return entries(relative, true);
}

std::vector<std::string> FolderView::files(std::string_view relative) const {
  return entries(relative, false);
}

std::optional<std::string> FolderView::listError(std::string_view relative) const {
  const std::optional<fs::path> path = find(relative);
  if (!path) return std::nullopt;
  std::error_code ec;
  for (fs::directory_iterator entry(*path, ec), end; !ec && entry != end; entry.increment(ec)) {
  }
  if (ec) return ec.message();
  return std::nullopt;
}

std::vector<std::string> FolderView::entries(std::string_view relative, bool folders) const {
  std::vector<std::string> names;
  const std::optional<fs::path> path = find(relative);
  std::error_code ec;
  if (!path) return names;
  for (const fs::directory_entry& entry : fs::directory_iterator(*path, ec)) {
    if (entry.is_directory(ec) == folders) names.push_back(NameOf(entry.path()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace ss::tool
