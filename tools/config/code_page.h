// Legacy code pages by their Windows numbers, for previewing settings written in one.
#pragma once

#include <optional>

#include "core/unicode.h"

namespace ss::tool {

// Decodes the code page `codePage` (1252, 1251, 932, ...) into UTF-8; a byte that the code page
// does not define becomes the code point of its value. Nothing when this system cannot decode
// the code page.
std::optional<LegacyDecoder> CodePageDecoder(unsigned codePage);

}  // namespace ss::tool
