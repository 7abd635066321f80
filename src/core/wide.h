// Windows: the program's UTF-8 text handed to the system's wide ("W") functions and back, and
// the system's legacy code page.
#pragma once

#include <string>
#include <string_view>

#include "core/unicode.h"

namespace ss {

// UTF-8 to the system's UTF-16 and back (see Utf8ToUtf16 and Utf16ToUtf8).
std::wstring Wide(std::string_view text);
std::string Narrow(std::wstring_view text);

// The ANSI code page of the system's locale: the one in which settings written so far were
// typed. Not the process's own, which the manifest makes UTF-8 on Windows 10 1903 and later.
unsigned SystemLegacyCodePage();

// Text of a code page into UTF-8; a byte that the code page does not define becomes the code
// point of its value.
std::string DecodeCodePage(std::string_view bytes, unsigned codePage);

// Decodes the system's legacy code page.
LegacyDecoder SystemLegacyDecoder();

}  // namespace ss
