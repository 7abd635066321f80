// Checks of icon and bitmap file contents before the system decodes them.
#pragma once

#include <string_view>

namespace ss {

// Raises EReadError "Stream read error" for a file shorter than its 6-byte header, and
// EInvalidGraphic "Icon image is not valid" for anything but a well-formed icon directory
// whose images all lie inside the file.
void CheckIconFile(std::string_view bytes);

}  // namespace ss
