// Test helper: the smallest loadable PE files that carry, or lack, a certificate table.
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

// A PE file as the loader accepts it: DOS header, PE header for 64-bit x86, an optional
// header with 16 data directories (PE32+, or PE32 when not `plus`) and one section of 0x200
// bytes; `table`, when given, is appended and entered as the certificate table.
inline std::string PeImage(std::string_view table = {}, bool plus = true) {
  const size_t pe = 0x40, optional = pe + 24, directories = optional + (plus ? 112 : 96);
  const size_t sectionTable = directories + 16 * 8, headers = 0x200, raw = 0x200;
  std::string bytes(headers + raw, '\0');
  bytes[0] = 'M', bytes[1] = 'Z';
  Put(bytes, 0x3C, pe, 4);
  bytes.replace(pe, 4, std::string("PE\0\0", 4));
  Put(bytes, pe + 4, 0x8664, 2);
  Put(bytes, pe + 6, 1, 2);  // one section
  Put(bytes, pe + 20, static_cast<std::uint32_t>(sectionTable - optional), 2);
  Put(bytes, optional, plus ? 0x20B : 0x10B, 2);
  Put(bytes, optional + 32, 0x1000, 4);  // section alignment
  Put(bytes, optional + 36, 0x200, 4);   // file alignment
  Put(bytes, optional + 56, 0x2000, 4);  // size of the image: headers, then the section
  Put(bytes, optional + 60, headers, 4);
  Put(bytes, directories - 4, 16, 4);
  bytes.replace(sectionTable, 5, ".text");
  Put(bytes, sectionTable + 8, 0x180, 4);    // virtual size
  Put(bytes, sectionTable + 12, 0x1000, 4);  // virtual address
  Put(bytes, sectionTable + 16, raw, 4);
  Put(bytes, sectionTable + 20, headers, 4);
  if (!table.empty()) {
    Put(bytes, directories + 4 * 8, static_cast<std::uint32_t>(bytes.size()), 4);
    Put(bytes, directories + 4 * 8 + 4, static_cast<std::uint32_t>(table.size()), 4);
    bytes += table;
  }
  return bytes;
}

}  // namespace ss::test
