// Test helper: the smallest PE files that carry, or lack, a certificate table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ss::test {

inline void Put(std::string& bytes, size_t at, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A WIN_CERTIFICATE entry of Authenticode's type (PKCS#7 signed data) around `payload`.
inline std::string CertificateEntry(std::string_view payload = "signature", int type = 2) {
  std::string entry(8, '\0');
  Put(entry, 0, static_cast<std::uint32_t>(8 + payload.size()), 4);
  Put(entry, 4, 0x0200, 2);
  Put(entry, 6, static_cast<std::uint32_t>(type), 2);
  return entry + std::string(payload);
}

// DOS header, PE header and an optional header with 16 data directories (PE32+ or PE32);
// `table`, when given, is appended and entered as the certificate table.
inline std::string PeImage(std::string_view table = {}, bool plus = true) {
  const size_t pe = 0x40, optional = pe + 24, directories = optional + (plus ? 112 : 96);
  std::string bytes(directories + 16 * 8, '\0');
  bytes[0] = 'M', bytes[1] = 'Z';
  Put(bytes, 0x3C, pe, 4);
  bytes.replace(pe, 4, std::string("PE\0\0", 4));
  Put(bytes, pe + 20, static_cast<std::uint32_t>(bytes.size() - optional), 2);
  Put(bytes, optional, plus ? 0x20B : 0x10B, 2);
  Put(bytes, directories - 4, 16, 4);
  if (!table.empty()) {
    Put(bytes, directories + 4 * 8, static_cast<std::uint32_t>(bytes.size()), 4);
    Put(bytes, directories + 4 * 8 + 4, static_cast<std::uint32_t>(table.size()), 4);
    bytes += table;
  }
  return bytes;
}

}  // namespace ss::test
