#include "tools/config/exe_image.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace ss::tool {

namespace {

// PE layout: "PE\0\0" at the offset kept at 0x3C, the 20-byte file header after it, then the
// optional header (PE32+: up to its data directories, 112 bytes), then 40 bytes per section.
constexpr std::uint64_t kPeOffsetField = 0x3C;
constexpr std::uint64_t kFileHeader = 4;
constexpr std::uint64_t kOptionalHeader = 24;
constexpr std::uint64_t kOptionalFixedPart = 112;
constexpr std::uint64_t kSectionHeader = 40;
constexpr std::uint32_t kMachineAmd64 = 0x8664;
constexpr std::uint32_t kPe32Plus = 0x20B;

std::uint64_t Read(std::string_view bytes, std::uint64_t at, int size) {
  return ReadLittleEndian(bytes, at, size);
}

std::string Hex(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
  return text;
}

std::string PastTheEnd(const std::string& what, std::uint64_t end, std::uint64_t size) {
  return what + " reaches past the end of the file (to byte " + std::to_string(end) +
         "; the file has " + std::to_string(size) + ")";
}

}  // namespace

std::uint64_t ReadLittleEndian(std::string_view bytes, std::uint64_t at, int size) {
  std::uint64_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

std::string ExeLoadProblem(std::string_view file) {
  const std::uint64_t size = file.size();
  if (size < kPeOffsetField + 4 || file.substr(0, 2) != "MZ") {
    return "it does not start with \"MZ\"";
  }
  const std::uint64_t pe = Read(file, kPeOffsetField, 4);
  if (pe + kOptionalHeader > size) return PastTheEnd("its PE header", pe + kOptionalHeader, size);
  if (file.substr(pe, 4) != std::string_view("PE\0\0", 4)) return "it has no PE header";
  const std::uint64_t machine = Read(file, pe + kFileHeader, 2);
  if (machine != kMachineAmd64) {
    return "it is not built for 64-bit x86 (its machine type is " + Hex(machine) + ")";
  }
  const std::uint64_t sections = Read(file, pe + kFileHeader + 2, 2);
  if (sections == 0) return "it has no sections";
  const std::uint64_t optional = pe + kOptionalHeader;
  const std::uint64_t optionalSize = Read(file, pe + kFileHeader + 16, 2);
  if (optional + optionalSize > size) {
    return PastTheEnd("its optional header", optional + optionalSize, size);
  }
  if (optionalSize < kOptionalFixedPart || Read(file, optional, 2) != kPe32Plus) {
    return "its optional header is no 64-bit (PE32+) one";
  }
  const std::uint64_t sectionAlignment = Read(file, optional + 32, 4);
  const std::uint64_t sizeOfImage = Read(file, optional + 56, 4);
  const std::uint64_t sizeOfHeaders = Read(file, optional + 60, 4);
  if (sectionAlignment == 0) return "its section alignment is 0";
  if (sizeOfHeaders > size) return PastTheEnd("its header area", sizeOfHeaders, size);
  const std::uint64_t table = optional + optionalSize;
  if (table + sections * kSectionHeader > size) {
    return PastTheEnd("its section table", table + sections * kSectionHeader, size);
  }
  std::uint64_t imageEnd = sizeOfHeaders;
  for (std::uint64_t i = 0; i < sections; ++i) {
    const std::uint64_t header = table + i * kSectionHeader;
    const std::string_view rawName = file.substr(header, 8);
    const std::string name(rawName.substr(0, rawName.find('\0')));
    const std::uint64_t virtualSize = Read(file, header + 8, 4);
    const std::uint64_t address = Read(file, header + 12, 4);
    const std::uint64_t rawSize = Read(file, header + 16, 4);
    const std::uint64_t rawAt = Read(file, header + 20, 4);
    if (rawSize > 0 && rawAt + rawSize > size) {
      return PastTheEnd("its section " + name + "'s data", rawAt + rawSize, size);
    }
    const std::uint64_t end = address + std::max(virtualSize, rawSize);
    imageEnd =
        std::max(imageEnd, (end + sectionAlignment - 1) / sectionAlignment * sectionAlignment);
  }
  if (sizeOfImage < imageEnd) {
    return "its image size (" + Hex(sizeOfImage) + ") is smaller than its sections need (" +
           Hex(imageEnd) + ")";
  }
  return "";
}

}  // namespace ss::tool
