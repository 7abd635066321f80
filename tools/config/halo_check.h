// suitestart-config check: a skin's halo, the picture with per-pixel alpha behind its window.
#pragma once

#include <optional>
#include <string>

#include "core/image_header.h"
#include "tools/config/folder_check.h"
#include "tools/config/folder_view.h"

namespace ss::tool {

// Checks halo.bmp of `skinFolder` (a relative Windows path ending in "\") and of its variant
// folders, when there is one: each must be a 32-bit bitmap with an alpha channel, the 96-DPI
// one larger than main.bmp (of size `glyph`, when valid) by the same margin of at most 64
// pixels on every side, each variant that size at its scale. States the halo's margin.
void CheckHalo(const FolderView& folder, const std::string& skinFolder,
               std::optional<BitmapSize> glyph, FolderReport& report);

}  // namespace ss::tool
