// Test helper: stores clear text the way the configuration file holds it.
#pragma once

#include <string>
#include <string_view>

namespace ss::test {

// Complements every byte except the line-break bytes 0x0D and 0x0A, which stay as they are.
inline std::string Scramble(std::string_view clear) {
  std::string stored(clear);
  for (char& c : stored) {
    if (c != '\r' && c != '\n') c = static_cast<char>(~static_cast<unsigned char>(c));
  }
  return stored;
}

}  // namespace ss::test
