// Windows build: legacy code pages decoded by the system.
#include <windows.h>

#include "core/wide.h"
#include "tools/config/code_page.h"

namespace ss::tool {

std::optional<LegacyDecoder> CodePageDecoder(unsigned codePage) {
  // UTF-7 and UTF-8 are valid code pages, but no legacy ones (and glibc knows neither by number).
  if (codePage == CP_UTF7 || codePage == CP_UTF8 || !IsValidCodePage(codePage)) return std::nullopt;
  return LegacyDecoder(
      [codePage](std::string_view bytes) { return DecodeCodePage(bytes, codePage); });
}

}  // namespace ss::tool
