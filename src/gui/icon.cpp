#include "gui/icon.h"

#include "core/errors.h"
#include "core/image_header.h"
#include "shell/file_read.h"

namespace ss {

IconHandle LoadIconFile(const std::string& path, int size) {
  // Checked before the system sees it: a damaged directory must give an error, not a crash.
  CheckIconFile(ReadWholeFile(path));
  const UINT flags = LR_LOADFROMFILE | (size == 0 ? LR_DEFAULTSIZE : 0);
  IconHandle icon(static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, size, size, flags)));
  if (!icon) throw EInvalidGraphic("Icon image is not valid");
  return icon;
}

}  // namespace ss
