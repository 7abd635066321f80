#include "config/parse_integer.h"

#include <string>

#include "core/errors.h"

namespace ss {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

bool TryParseInteger(std::string_view text, std::int32_t& value) {
  size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  bool hex = false;
  if (pos < text.size() && (text[pos] == '$' || text[pos] == 'x' || text[pos] == 'X')) {
    hex = true;
    pos += 1;
  } else if (pos + 1 < text.size() && text[pos] == '0' &&
             (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
    hex = true;
    pos += 2;
  }
  if (pos >= text.size()) return false;  // empty, sign alone, or prefix without digits

  if (hex) {
    std::uint32_t bits = 0;
    for (; pos < text.size(); ++pos) {
      const int digit = HexDigit(text[pos]);
      if (digit < 0 || bits > 0x0FFFFFFFu) return false;
      bits = (bits << 4) | static_cast<std::uint32_t>(digit);
    }
    // The 32 bits stand for a signed number; "-" negates it (modulo 2^32, as the bits do).
    if (negative) bits = 0u - bits;
    value = static_cast<std::int32_t>(bits);
    return true;
  }

  // Accumulated as a magnitude up to 2^31, the size of the most negative value.
  std::uint64_t magnitude = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
    if (magnitude > 0x80000000ull) return false;
  }
  if (!negative && magnitude > 0x7FFFFFFFull) return false;
  value = negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(magnitude))
                   : static_cast<std::int32_t>(magnitude);
  return true;
}

std::int32_t ParseInteger(std::string_view text) {
  std::int32_t value = 0;
  if (!TryParseInteger(text, value)) {
    throw EConvertError(NotAnIntegerMessage(text));
  }
  return value;
}

}  // namespace ss
