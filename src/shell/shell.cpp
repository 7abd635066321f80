#include "shell/shell.h"

#include <windows.h>

#include <shellapi.h>

#include "core/errors.h"
#include "gui/application.h"
#include "gui/cursors.h"

namespace ss {

namespace {

int busyCount = 0;

ShellOpenFunction& ShellOpen() {
  static ShellOpenFunction function;
  return function;
}

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

}  // namespace

std::string ReadShellFolder(const std::string& name) {
  std::string folder;
  {
    RegistryKey key(HKEY_CURRENT_USER, kShellFoldersKey);
    if (key.get()) folder = ReadStringValue(key.get(), name);
  }
  return folder.empty() ? std::string("C:\\") : folder;
}

void StartFile(const std::string& target) {
  BeginBusy();
  struct EndBusyAtExit {
    ~EndBusyAtExit() { EndBusy(); }
  } endBusy;
  HWND owner = Application::Instance().handle();
  if (ShellOpen()) {
    ShellOpen()(owner, target, SW_SHOWDEFAULT);
    return;
  }
  ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
}

void SetShellOpenFunction(ShellOpenFunction function) { ShellOpen() = std::move(function); }

void BeginBusy() {
  ++busyCount;
  Screen::Instance().setCursor(crHourGlass);
}

void EndBusy() {
  if (busyCount <= 0) return;
  if (busyCount-- == 1) Screen::Instance().setCursor(crDefault);
}

int BusyCount() { return busyCount; }

}  // namespace ss
