// libFuzzer target: ParseInteger gives the value of an independent reading of the same rules, or
// raises EConvertError naming the whole text, and TryParseInteger agrees with it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "config/parse_integer.h"
#include "core/errors.h"

namespace {

bool IsDecimal(char c) {
  return c >= '0' && c <= '9';
}

bool IsHex(char c) {
  return IsDecimal(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The rules read another way: digits are counted after their leading zeros instead of watching
// the value grow. Eight significant hexadecimal digits fit 32 bits (a ninth would follow a value
// above 0x0FFFFFFF); ten significant decimal digits are compared against the limits as text.
std::optional<std::int32_t> Reference(std::string_view text) {
  const size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start);
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  bool hex = false;
  if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
    hex = true;
    text.remove_prefix(1);
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    hex = true;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  for (char c : text) {
    if (hex ? !IsHex(c) : !IsDecimal(c)) return std::nullopt;
  }
  const size_t firstSignificant = text.find_first_not_of('0');
  const std::string digits(firstSignificant == std::string_view::npos
                               ? std::string_view("0")
                               : text.substr(firstSignificant));
  if (hex) {
    if (digits.size() > 8) return std::nullopt;
    const auto bits = static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
  }
  const std::string limit = negative ? "2147483648" : "2147483647";
  if (digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit)) {
    return std::nullopt;
  }
  const long long magnitude = std::stoll(digits);
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::int32_t> expected = Reference(text);
  std::int32_t tried = 0;
  if (ss::TryParseInteger(text, tried) != expected.has_value()) std::abort();
  if (expected && tried != *expected) std::abort();
  try {
    const std::int32_t value = ss::ParseInteger(text);
    if (!expected || value != *expected) std::abort();
  } catch (const ss::EConvertError& error) {
    if (expected) std::abort();
    if (error.message() != "'" + std::string(text) + "' is not a valid integer value") std::abort();
  }
  return 0;
}
