// What the demo's stand-in program calls itself: the tool whose file name it was started as.
// Platform-free, so that the host tests check it against the launcher's tables.
#pragma once

#include <cctype>
#include <string>
#include <string_view>

#include "ui/main/form_main_tables.h"

namespace ss::stub {

inline bool SameFileName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    // File names compare without regard to case, as on Windows.
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

template <size_t N>
const char* MenuCaptionOf(const std::array<main_window::MenuItem, N>& menu,
                          std::string_view fileName) {
  for (const main_window::MenuItem& item : menu) {
    if (item.program && SameFileName(fileName, item.program)) return item.caption;
  }
  return nullptr;
}

// The tool's name as the launcher shows it ("File Disc Writer" for FileWrite.exe); for a file
// name the launcher does not know, the name without its extension.
inline std::string ToolTitle(std::string_view fileName) {
  namespace mw = main_window;
  if (const char* caption = MenuCaptionOf(mw::kMoreToolsMenu, fileName)) return caption;
  if (const char* caption = MenuCaptionOf(mw::kAudioCdMenu, fileName)) return caption;
  if (SameFileName(fileName, mw::kButton2Program)) return "Video Disc Writer";
  if (SameFileName(fileName, mw::kCompanionProgram)) return "Companion program";
  const size_t dot = fileName.rfind('.');
  return std::string(dot == std::string_view::npos || dot == 0 ? fileName
                                                               : fileName.substr(0, dot));
}

}  // namespace ss::stub
