// Windows build: files opened with CreateFileA and read whole.
#include <windows.h>

#include "core/error_text.h"
#include "core/errors.h"
#include "shell/file_read.h"
#include "shell/system_error.h"

namespace ss {

std::string ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    throw EFOpenError(FileOpenMessage(path, SystemErrorText(GetLastError())));
  }
  std::string content;
  char chunk[65536];
  DWORD got = 0;
  BOOL ok;
  try {
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
