// Icons loaded from ".ico" files.
#pragma once

#include <string>
#include <string_view>

#include "gui/handle.h"

namespace ss {

// Loads the icon image of a file at a size (0 for the system's default icon size).
// Raises EFOpenError, EReadError or EInvalidGraphic as the file's content calls for.
IconHandle LoadIconFile(const std::string& path, int size = 0);

// Reads an ".ico" file whole and checks it, for IconFromFileBytes: one reading serves
// several sizes. Raises as LoadIconFile.
std::string ReadIconFile(const std::string& path);

// The icon of the file's image that best fits the size (0 for the system's default icon
// size), stretched to it, from the bytes that ReadIconFile gave.
// Raises EInvalidGraphic "Icon image is not valid" when the system cannot make the icon.
IconHandle IconFromFileBytes(std::string_view bytes, int size = 0);

}  // namespace ss
