#include "gui/skin_files.h"

#include <windows.h>

#include "core/file_read.h"
#include "core/image_header.h"
#include "core/resample.h"
#include "core/skin_scale.h"
#include "core/wide.h"
#include "gui/dpi.h"

namespace ss {

namespace {

// 0x00BBGGRR <-> 0x00RRGGBB: the DIB bits hold blue in the lowest byte.
std::uint32_t SwapRedBlue(std::uint32_t c) {
  return (c & 0xFF00FF00u) | ((c & 0xFFu) << 16) | ((c >> 16) & 0xFFu);
}

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

const std::vector<int>& SkinFolder::variantScales() {
  if (scales_) return *scales_;
  scales_.emplace();
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Wide(path_ + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return *scales_;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (const std::optional<int> scale = VariantScale(Narrow(found.cFileName))) {
      scales_->push_back(*scale);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return *scales_;
}

Bitmap SkinFolder::load(const std::string& name, int dpi, std::optional<COLORREF> key,
                        bool keyLastColumn) {
  Bitmap bitmap;
  if (dpi == kDesignDpi) {
    bitmap.loadFromFile(path_ + name);
    return bitmap;
  }
  // The 96-DPI file is read in any case: it must be there, and its size sets the size needed.
  const std::string basePath = path_ + name;
  const std::string baseBytes = ReadWholeFile(basePath);
  CheckBitmapFile(baseBytes);
  const BitmapSize base = BitmapFileSize(baseBytes);
  const int width = ScaleToDpi(base.width, dpi);
  const int height = ScaleToDpi(base.height, dpi);

  std::vector<int> scales{kBaseScale};
  for (const int scale : variantScales()) {
    if (IsFile(path_ + std::to_string(scale) + "\\" + name)) scales.push_back(scale);
  }
  const int chosen = ChooseVariant(dpi, scales).value_or(kBaseScale);
  if (chosen == kBaseScale) {
    bitmap.loadFromFileBytes(baseBytes, basePath);
  } else {
    bitmap.loadFromFile(path_ + std::to_string(chosen) + "\\" + name);
  }
  if (bitmap.width() == width && bitmap.height() == height) return bitmap;

  PixelImage source{bitmap.width(), bitmap.height(), bitmap.dibPixels()};
  std::optional<std::uint32_t> dibKey;
  if (key) dibKey = SwapRedBlue(*key);
  if (dibKey && keyLastColumn) {
    for (int y = 0; y < source.height; ++y) {
      source.pixels[static_cast<size_t>(y) * source.width + source.width - 1] = *dibKey;
    }
  }
  const PixelImage scaled = Resample(source, width, height, dibKey);
  bitmap.setDibPixels(scaled.width, scaled.height, scaled.pixels);
  return bitmap;
}

}  // namespace ss
