#include "gui/icon.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/errors.h"
#include "core/image_header.h"
#include "core/file_read.h"

namespace ss {

std::string ReadIconFile(const std::string& path) {
  // Checked before the system sees it: a damaged directory must give an error, not a crash.
  std::string bytes = ReadWholeFile(path);
  CheckIconFile(bytes);
  return bytes;
}

IconHandle IconFromFileBytes(std::string_view bytes, int size) {
  const int width = size ? size : GetSystemMetrics(SM_CXICON);
  const int height = size ? size : GetSystemMetrics(SM_CYICON);
  const IconImage image = BestIconImage(bytes, width);
  // Copied to aligned memory, as the system reads it like a resource.
  std::vector<std::uint32_t> aligned((image.bytes + 3) / 4);
  std::memcpy(aligned.data(), bytes.data() + image.offset, image.bytes);
  IconHandle icon(CreateIconFromResourceEx(reinterpret_cast<PBYTE>(aligned.data()),
                                           static_cast<DWORD>(image.bytes), TRUE, 0x00030000, width,
                                           height, LR_DEFAULTCOLOR));
  if (!icon) throw EInvalidGraphic(kIconNotValid);
  return icon;
}

IconHandle LoadIconFile(const std::string& path, int size) {
  return IconFromFileBytes(ReadIconFile(path), size);
}

}  // namespace ss
