#include "shell/shell.h"

#include <windows.h>

#include "core/errors.h"
#include "core/handles_win.h"
#include "core/wide.h"

namespace ss {

namespace {

// The per-user key of the shell folders. Opened for reading only: full access is refused on
// locked-down accounts, which would send every caller to the fallback.
constexpr const wchar_t* kShellFoldersKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The string value `name` in UTF-8: empty when missing or of size 0; raises for other types.
std::string ReadStringValue(HKEY key, const std::string& name) {
  const std::wstring wideName = Wide(name);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      size == 0) {
    return {};
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) {
    throw ERegistryException(InvalidDataTypeMessage(name));
  }
  // Room for an odd byte count too; the data need not end in a NUL.
  std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                       &size) != ERROR_SUCCESS) {
    return {};
  }
  data.resize(size / sizeof(wchar_t));
  // The string ends at its first NUL; REG_EXPAND_SZ is taken as stored, unexpanded.
  const size_t end = data.find(L'\0');
  if (end != std::wstring::npos) data.resize(end);
  return Narrow(data);
}

// ShellExecuteW from shell32, loaded at the first call from the system folder only. As a static
// import shell32 is resolved before WinMain, from the exe's folder first: Wine looks there for
// it (only its builtin-first load order keeps a planted copy out), and Windows does for any DLL
// that is not a KnownDLL. Loaded here, it is safe whatever the KnownDLLs list holds. nullptr
// when shell32 or its entry cannot be had.
using ShellExecuteWFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);

ShellExecuteWFunction ShellExecuteEntry() {
  static const ShellExecuteWFunction entry = [] {
    HMODULE shell32 = LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!shell32) return ShellExecuteWFunction{};
    // Through void*: GCC warns about a direct cast between unrelated function pointer types.
    return reinterpret_cast<ShellExecuteWFunction>(
        reinterpret_cast<void*>(GetProcAddress(shell32, "ShellExecuteW")));
  }();
  return entry;
}

}  // namespace

void OpenWithShell(void* owner, const std::string& target, int show) {
  // Without the shell nothing can be opened; like a failed open, that goes unreported.
  if (const ShellExecuteWFunction shellExecute = ShellExecuteEntry()) {
    shellExecute(static_cast<HWND>(owner), L"open", Wide(target).c_str(), nullptr, nullptr, show);
  }
}

std::string ReadShellFolder(const std::string& name) {
  std::string folder;
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_READ, &opened) == ERROR_SUCCESS) {
    const RegistryKeyHandle key(opened);
    folder = ReadStringValue(key.get(), name);
  }
  return folder.empty() ? std::string("C:\\") : folder;
}

}  // namespace ss
