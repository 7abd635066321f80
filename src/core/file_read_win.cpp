// Windows build: files opened with CreateFileW (any name) and read whole or in part.
#include <windows.h>

#include <limits>

#include "core/error_text.h"
#include "core/errors.h"
#include "core/file_read.h"
#include "core/handles_win.h"
#include "core/system_error.h"
#include "core/wide.h"

namespace ss {

namespace {

// Reads up to `limit` bytes from the file's start, opened for reading with `sharing`.
std::string ReadFile(const std::string& path, std::size_t limit, DWORD sharing = FILE_SHARE_READ) {
  const FileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, sharing, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw EFOpenError(FileOpenMessage(path, SystemErrorText(GetLastError())));
  std::string content;
  char chunk[65536];
  DWORD got = 0;
  BOOL ok = TRUE;
  // Room for the size found now, so a file of many megabytes is not copied as it grows; one
  // that grows meanwhile is still read to its end.
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
    content.reserve(std::min(static_cast<std::size_t>(size.QuadPart), limit));
  }
  while (content.size() < limit) {
    const DWORD want = static_cast<DWORD>(std::min(sizeof chunk, limit - content.size()));
    ok = ::ReadFile(file.get(), chunk, want, &got, nullptr);
    if (!ok || got == 0) break;
    content.append(chunk, got);
  }
  if (!ok) throw EReadError(kStreamReadError);
  return content;
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  return ReadFile(path, std::numeric_limits<std::size_t>::max());
}

std::string ReadSharedFile(const std::string& path) {
  return ReadFile(path, std::numeric_limits<std::size_t>::max(),
                  FILE_SHARE_READ | FILE_SHARE_WRITE);
}

std::string ReadFileStart(const std::string& path, std::size_t bytes) {
  return ReadFile(path, bytes);
}

}  // namespace ss
