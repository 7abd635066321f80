// Windows build: paths and console text through the wide functions, as UTF-16.
#include <windows.h>

#include <algorithm>

#include "core/handles_win.h"
#include "core/system_error.h"
#include "core/wide.h"
#include "tools/config/tool_io.h"

namespace ss::tool {

namespace {

// The path as the wide functions take it beyond MAX_PATH: absolute, with the "\\?\" prefix
// (which turns off the parsing of "/" and "..", so the system makes it absolute first).
std::wstring LongPath(const std::string& path) {
  const std::wstring wide = Wide(path);
  if (wide.rfind(L"\\\\", 0) == 0) return wide;  // already \\?\ or a UNC name: as given
  const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (length == 0) return wide;
  std::wstring full(length, L'\0');
  const DWORD written = GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
  if (written == 0 || written >= length) return wide;
  full.resize(written);
  return L"\\\\?\\" + full;
}

}  // namespace

void Print(Stream stream, std::string_view text) {
  const HANDLE handle = GetStdHandle(stream == Stream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    // A console shows UTF-16 whatever its code page; a redirection gets the UTF-8 bytes.
    // In pieces: older consoles refuse a write of more than some 64 KB (never split a pair).
    const std::wstring wide = Wide(text);
    for (size_t at = 0; at < wide.size();) {
      size_t count = std::min<size_t>(wide.size() - at, 8192);
      if (at + count < wide.size() && IS_HIGH_SURROGATE(wide[at + count - 1])) --count;
      if (!WriteConsoleW(handle, wide.data() + at, static_cast<DWORD>(count), &written, nullptr)) {
        break;
      }
      at += count;
    }
  } else {
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
}

std::string WriteWholeFile(const std::string& path, std::string_view bytes) {
  const std::wstring target = LongPath(path);
  const std::wstring part = target + L".part";
  DWORD error = ERROR_SUCCESS;
  {
    const FileHandle file(CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return SystemErrorText(GetLastError());
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) ||
        written != bytes.size()) {
      error = GetLastError();
    }
  }
  if (error == ERROR_SUCCESS &&
      !MoveFileExW(part.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    error = GetLastError();
  }
  if (error == ERROR_SUCCESS) return "";
  DeleteFileW(part.c_str());
  return SystemErrorText(error);
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace ss::tool
