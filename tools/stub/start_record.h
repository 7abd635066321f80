// What a stand-in for the suite's tools records of its start: "<own file name>|<arguments>"
// in UTF-8, appended to "started.log" beside itself. Shared by the demo's stand-in and the
// tests' one.
#pragma once

#include <windows.h>

#include <string>

#include "core/handles_win.h"

namespace ss::stub {

inline std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

// The exe's own full path, however long.
inline std::wstring OwnPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// The command line after the program's name, as the system's WinMain would have it.
inline std::wstring Arguments() {
  const wchar_t* p = GetCommandLineW();
  if (*p == L'"') {
    for (++p; *p && *p != L'"'; ++p) {
    }
    if (*p) ++p;
  } else {
    while (*p && *p != L' ' && *p != L'\t') ++p;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  return p;
}

// Appends one whole record; FILE_APPEND_DATA keeps records of stand-ins started together apart.
inline bool AppendStartRecord() {
  const std::wstring path = OwnPath();
  const size_t cut = path.find_last_of(L'\\');
  const std::wstring folder = path.substr(0, cut + 1);
  const std::string record = Utf8(path.substr(cut + 1)) + "|" + Utf8(Arguments()) + "\r\n";
  const FileHandle log(CreateFileW((folder + L"started.log").c_str(), FILE_APPEND_DATA,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!log) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(log.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  return ok && written == record.size();
}

}  // namespace ss::stub
