#include "shell/paths.h"

#ifdef _WIN32
#include <windows.h>

#include "core/wide.h"
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

std::string ModuleFileName(void* module) {
  // Read whole, in UTF-16 (any folder name), growing the buffer until the whole path fits:
  // a path cut short would name another file.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(static_cast<HMODULE>(module), buffer.data(),
                                            static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return Narrow(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string ExeFolder() {
  if (!ExeFolderOverride().empty()) return WithTrailingBackslash(ExeFolderOverride());
  return WithTrailingBackslash(FolderOfPath(ModuleFileName(nullptr)));
}
#endif

}  // namespace ss
