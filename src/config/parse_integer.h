// Conversion of a setting's text to a 32-bit signed integer.
#pragma once

#include <cstdint>
#include <string_view>

namespace ss {

// Decimal, or hexadecimal behind "$", "x", "X", "0x" or "0X"; optional leading spaces and one
// sign. Raises EConvertError "'%s' is not a valid integer value" for anything else.
std::int32_t ParseInteger(std::string_view text);

// The same rules without raising; false when the text is not a valid integer.
bool TryParseInteger(std::string_view text, std::int32_t& value);

}  // namespace ss
