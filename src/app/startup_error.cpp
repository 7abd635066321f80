#include "app/startup_error.h"

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/error_text.h"
#include "core/wide.h"
#include "shell/paths.h"

namespace ss {

namespace {

struct CodeLocation {
  std::string module;
  std::uint32_t offset = 0;
};

// The module that holds `address` and the address's offset from that module's base.
CodeLocation LocateCode(const void* address) {
  HMODULE module = nullptr;
  if (!address || !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                          GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                      static_cast<const wchar_t*>(address), &module)) {
    module = GetModuleHandleW(nullptr);
    address = nullptr;
  }
  CodeLocation location;
  location.module = FileNamePart(ModuleFileName(module));
  if (address) {
    location.offset = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(address) -
                                                 reinterpret_cast<std::uintptr_t>(module));
  }
  return location;
}

void ShowBox(const std::string& className, const void* address, const std::string& message) {
  const CodeLocation location = LocateCode(address);
  const std::string text =
      ApplicationErrorText(className, location.module, location.offset, message);
  MessageBoxW(nullptr, Wide(text).c_str(), L"Application Error",
              MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

}  // namespace

void ShowStartupError() {
  const ExceptionText error = CurrentExceptionText();
  ShowBox(error.className, error.address, error.message);
}

}  // namespace ss
