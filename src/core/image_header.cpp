#include "core/image_header.h"

#include <cstdint>

#include "core/errors.h"

namespace ss {

namespace {

std::uint32_t ReadLe(std::string_view bytes, size_t offset, size_t size) {
  std::uint32_t value = 0;
  for (size_t i = 0; i < size; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  }
  return value;
}

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic("Icon image is not valid"); }

}  // namespace

void CheckIconFile(std::string_view bytes) {
  constexpr size_t kHeaderSize = 6;
  constexpr size_t kEntrySize = 16;
  if (bytes.size() < kHeaderSize) throw EReadError("Stream read error");
  const std::uint32_t type = ReadLe(bytes, 2, 2);
  const std::uint32_t count = ReadLe(bytes, 4, 2);
  if (type > 1) InvalidIcon();
  // Type 0 is no icon either, and an icon needs at least one image.
  if (type == 0 || count == 0) InvalidIcon();
  if (bytes.size() < kHeaderSize + count * kEntrySize) InvalidIcon();
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = kHeaderSize + i * kEntrySize;
    const std::uint64_t size = ReadLe(bytes, entry + 8, 4);
    const std::uint64_t offset = ReadLe(bytes, entry + 12, 4);
    // Each image holds at least a 40-byte header and lies wholly inside the file.
    if (size < 40 || offset < kHeaderSize + count * kEntrySize || offset + size > bytes.size()) {
      InvalidIcon();
    }
  }
}

}  // namespace ss
