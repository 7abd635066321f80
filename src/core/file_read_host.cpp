// Host build: files read with the C library.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <limits>
#include <memory>

#include "core/error_text.h"
#include "core/errors.h"
#include "core/file_read.h"

namespace ss {

std::string ReadFileStart(const std::string& path, std::size_t bytes) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) throw EFOpenError(FileOpenMessage(path, std::strerror(errno)));
  std::string content;
  char chunk[65536];
  size_t got;
  while (content.size() < bytes &&
         (got = std::fread(chunk, 1, std::min(sizeof chunk, bytes - content.size()), file.get())) >
             0) {
    content.append(chunk, got);
  }
  // A folder opens but cannot be read.
  if (std::ferror(file.get())) throw EFOpenError(FileOpenMessage(path, std::strerror(errno)));
  return content;
}

std::string ReadWholeFile(const std::string& path) {
  return ReadFileStart(path, std::numeric_limits<std::size_t>::max());
}

// The C library shares files as the system does: others may write meanwhile.
std::string ReadSharedFile(const std::string& path) {
  return ReadWholeFile(path);
}

}  // namespace ss
