// Host build: files read with the C library.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/error_text.h"
#include "core/errors.h"
#include "core/file_read.h"

namespace ss {

std::string ReadWholeFile(const std::string& path) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) throw EFOpenError(FileOpenMessage(path, std::strerror(errno)));
  std::string content;
  char chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) content.append(chunk, got);
  // A folder opens but cannot be read.
  if (std::ferror(file.get())) throw EFOpenError(FileOpenMessage(path, std::strerror(errno)));
  return content;
}

}  // namespace ss
