// suitestart-config check: a skin's variant folders for other display scales, and how many
// rectangles its window outline needs.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/image_header.h"
#include "tools/config/folder_check.h"
#include "tools/config/folder_view.h"

namespace ss::tool {

// Outlines of more rectangles than this get a warning: under Wine's X server a window shape
// of about 30,000 rectangles ends the process without a word.
inline constexpr std::size_t kMostOutlineRects = 20000;

// One of the skin folder's own (96-DPI) files, as the checks of its variants need it.
struct BaseSkinFile {
  std::string name;                // as the launcher names it: "main.bmp", "1.bmp", ...
  std::optional<BitmapSize> size;  // when the file is a valid bitmap
  std::string loss;                // what the launcher skips when it cannot load the file
};

// A guess at what a file that is no valid icon or bitmap is, for messages: " (it is a PNG
// image)" and the like, or nothing.
std::string WhatItIs(const std::string& bytes);

// Warns when `bytes`, a valid bitmap file at `path`, holds run-length data that the decoder
// has to clip, naming the offset of its first damaged byte.
void CheckRunLengthData(const std::string& path, std::string_view bytes, FolderReport& report);

// Warns when the window outline of `bytes`, a valid main.bmp at `path`, needs more than
// kMostOutlineRects rectangles.
void CheckOutlineSize(const std::string& path, std::string_view bytes, FolderReport& report);

// Checks the variant folders of `skinFolder` (a relative Windows path ending in "\") against
// its own files `base`, main.bmp first: states the scales found, and reports subfolders the
// launcher ignores or cannot list, files that are no skin file, variants that are no valid
// bitmap, not their 96-DPI file's size times the scale (which the launcher passes over) or hold
// damaged run-length data, and outlines of too many rectangles. Its subfolders named by a
// language tag are the languages' pictures, checked alike: their 96-DPI files must be skin
// files of the skin's own sizes, and their variants that size at their scale.
void CheckSkinVariants(const FolderView& folder, const std::string& skinFolder,
                       const std::vector<BaseSkinFile>& base, FolderReport& report);

}  // namespace ss::tool
