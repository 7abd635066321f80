// Skin bitmaps at the display's scale: a skin folder's own files are drawn for 96 DPI; its
// subfolders named by scale in per cent ("125", "150", "200", ...) may hold any of them drawn
// at that scale. At another DPI each file comes from the smallest variant at or above the
// scale needed (or the largest there is), resampled to the exact size it needs there.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gui/bitmap.h"

namespace ss {

class SkinFolder {
 public:
  // `path` ends in "\". Its variant folders are listed at the first load that needs them.
  explicit SkinFolder(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }

  // The bitmap file `name` as a window at `dpi` shows it: at 96 DPI the file itself, exactly;
  // elsewhere the 96-DPI file's width and height times dpi / 96 (MulDiv), from the variant that
  // fits best, resampled unless it has that size already. Pixels of `key` are never blended
  // into their neighbours; with `keyLastColumn` the file's rightmost column, which no outline
  // ever shows, counts as key too, so the outline scales without growing. Raises as
  // Bitmap::loadFromFile for the 96-DPI file (which must be there at every DPI) and the variant,
  // and EInvalidGraphic for a result beyond the bitmap limits.
  Bitmap load(const std::string& name, int dpi, std::optional<COLORREF> key = std::nullopt,
              bool keyLastColumn = false);

 private:
  const std::vector<int>& variantScales();

  std::string path_;
  std::optional<std::vector<int>> scales_;
};

}  // namespace ss
