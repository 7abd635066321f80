// Windows build: files opened with CreateFileW (any name) and read whole.
#include <windows.h>

#include "core/error_text.h"
#include "core/errors.h"
#include "core/file_read.h"
#include "core/system_error.h"
#include "core/wide.h"

namespace ss {

std::string ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    throw EFOpenError(FileOpenMessage(path, SystemErrorText(GetLastError())));
  }
  std::string content;
  char chunk[65536];
  DWORD got = 0;
  BOOL ok;
  try {
    // Room for the size found now, so a file of many megabytes is not copied as it grows; one
    // that grows meanwhile is still read to its end.
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0) {
      content.reserve(static_cast<size_t>(size.QuadPart));
    }
    while ((ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr)) && got > 0) {
      content.append(chunk, got);
    }
  } catch (...) {
    CloseHandle(file);
    throw;
  }
  CloseHandle(file);
  if (!ok) throw EReadError("Stream read error");
  return content;
}

}  // namespace ss
