// Host build: paths are the bytes of UTF-8 names; streams and files through the C library.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tools/config/tool_io.h"

namespace ss::tool {

void Print(Stream stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream == Stream::Out ? stdout : stderr);
}

std::string WriteWholeFile(const std::string& path, std::string_view bytes) {
  const std::string part = path + ".part";
  FILE* file = std::fopen(part.c_str(), "wb");
  if (!file) return std::strerror(errno);
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  int error = ok ? 0 : errno;
  if (std::fclose(file) != 0 && ok) ok = false, error = errno;
  if (ok && std::rename(part.c_str(), path.c_str()) != 0) ok = false, error = errno;
  if (ok) return "";
  std::remove(part.c_str());
  return std::strerror(error);
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace ss::tool
