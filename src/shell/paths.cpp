#include "shell/paths.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace ss {

std::string WithTrailingBackslash(const std::string& path) {
  if (!path.empty() && path.back() == '\\') return path;
  return path + '\\';
}

std::string FolderOfPath(const std::string& path) {
  const size_t cut = path.find_last_of("\\:");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

#ifdef _WIN32
namespace {
std::string& ExeFolderOverride() {
  static std::string folder;
  return folder;
}
}  // namespace

void SetExeFolderOverride(const std::string& folder) {
  ExeFolderOverride() = folder;
}

std::string ExeFolder() {
  if (!ExeFolderOverride().empty()) return WithTrailingBackslash(ExeFolderOverride());
  // Long paths: grow the buffer until the whole name fits.
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  return WithTrailingBackslash(FolderOfPath(buffer));
}
#endif

}  // namespace ss
