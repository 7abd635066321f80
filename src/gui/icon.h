// Icons loaded from ".ico" files.
#pragma once

#include <string>

#include "gui/handle.h"

namespace ss {

// Loads the icon image of a file at a size (0 for the system's default icon size).
// Raises EFOpenError, EReadError or EInvalidGraphic as the file's content calls for.
IconHandle LoadIconFile(const std::string& path, int size = 0);

}  // namespace ss
