#include "core/system_error.h"

#include <windows.h>

#include "core/wide.h"

namespace ss {

std::string SystemErrorText(unsigned long code) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                         FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string result = length ? Narrow(std::wstring_view(text, length)) : std::string();
  if (text) LocalFree(text);
  return result;
}

}  // namespace ss
