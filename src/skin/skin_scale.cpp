// Variant folders of a skin and sizes at a DPI, as the launcher resolves them per scale.
#include "skin/skin_scale.h"

#include <cstdint>
#include <limits>

namespace ss {

std::optional<int> VariantScale(std::string_view folderName) {
  // At most three digits, so the value cannot overflow; a leading zero would give one scale two
  // folder names ("150" and "0150").
  if (folderName.empty() || folderName.size() > 3 || folderName[0] == '0') return std::nullopt;
  int scale = 0;
  for (const char c : folderName) {
    if (c < '0' || c > '9') return std::nullopt;
    scale = scale * 10 + (c - '0');
  }
  if (scale < kMinVariantScale || scale > kMaxVariantScale) return std::nullopt;
  return scale;
}

std::optional<int> ChooseVariant(int dpi, std::span<const int> scales) {
  std::optional<int> atLeast;
  std::optional<int> largest;
  const std::int64_t needed = std::int64_t{dpi} * 100;
  for (const int scale : scales) {
    if (!largest || scale > *largest) largest = scale;
    if (std::int64_t{scale} * 96 >= needed && (!atLeast || scale < *atLeast)) atLeast = scale;
  }
  return atLeast ? atLeast : largest;
}

int LengthAtScale(int length, int scale) {
  return static_cast<int>((std::int64_t{length} * scale + 50) / 100);
}

int ScaleToDpi(int value, int dpi) {
  const std::int64_t product = std::int64_t{value} * dpi;
  // Integer division truncates toward zero, so half the divisor away from zero rounds halves
  // away from it.
  const std::int64_t scaled = (product < 0 ? product - 48 : product + 48) / 96;
  if (scaled < std::numeric_limits<int>::min() || scaled > std::numeric_limits<int>::max()) {
    return -1;
  }
  return static_cast<int>(scaled);
}

}  // namespace ss
