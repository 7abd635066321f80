#include "shell/shell.h"

#include <windows.h>

#include "core/errors.h"

namespace ss {

namespace {

// The per-user key of the shell folders. Opened for reading only: full access is refused on
// locked-down accounts, which would send every caller to the fallback.
constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class RegistryKey {
 public:
  RegistryKey(HKEY root, const char* path) {
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey() {
    if (key_) RegCloseKey(key_);
  }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// The string value `name`: empty when missing or of size 0; raises for other data types.
std::string ReadStringValue(HKEY key, const std::string& name) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      size == 0) {
    return {};
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) {
    throw ERegistryException("Invalid data type for '" + name + "'");
  }
  std::string data(size, '\0');
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                       &size) != ERROR_SUCCESS) {
    return {};
  }
  data.resize(size);
  // The string ends at its first NUL; REG_EXPAND_SZ is taken as stored, unexpanded.
  const size_t end = data.find('\0');
  if (end != std::string::npos) data.resize(end);
  return data;
}

// ShellExecuteA from shell32, loaded at the first call from the system folder only. As a static
// import shell32 is resolved before WinMain, from the exe's folder first: Wine looks there for
// it (only its builtin-first load order keeps a planted copy out), and Windows does for any DLL
// that is not a KnownDLL. Loaded here, it is safe whatever the KnownDLLs list holds. nullptr
// when shell32 or its entry cannot be had.
using ShellExecuteAFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

ShellExecuteAFunction ShellExecuteEntry() {
  static const ShellExecuteAFunction entry = [] {
    HMODULE shell32 = LoadLibraryExA("shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!shell32) return ShellExecuteAFunction{};
    // Through void*: GCC warns about a direct cast between unrelated function pointer types.
    return reinterpret_cast<ShellExecuteAFunction>(
        reinterpret_cast<void*>(GetProcAddress(shell32, "ShellExecuteA")));
  }();
  return entry;
}

}  // namespace

void OpenWithShell(void* owner, const std::string& target, int show) {
  // Without the shell nothing can be opened; like a failed open, that goes unreported.
  if (const ShellExecuteAFunction shellExecute = ShellExecuteEntry()) {
    shellExecute(static_cast<HWND>(owner), "open", target.c_str(), nullptr, nullptr, show);
  }
}

std::string ReadShellFolder(const std::string& name) {
  std::string folder;
  {
    RegistryKey key(HKEY_CURRENT_USER, kShellFoldersKey);
    if (key.get()) folder = ReadStringValue(key.get(), name);
  }
  return folder.empty() ? std::string("C:\\") : folder;
}

}  // namespace ss
