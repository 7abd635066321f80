// Names matched as Windows matches file, section and key names: without regard to case.
#pragma once

#include <string>
#include <string_view>

namespace ss {

// Upper-cases the letters a to z of a name; other bytes stay as they are. Every name the
// launcher asks for is plain ASCII, and bytes from 0x80 up belong to UTF-8 or legacy characters
// that a byte-wise fold would only corrupt.
inline void UpperCaseInPlace(std::string& name) {
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

// The same, of a copy.
inline std::string UpperCaseName(std::string_view name) {
  std::string upper(name);
  UpperCaseInPlace(upper);
  return upper;
}

}  // namespace ss
