#include "gui/skin_files.h"

#include <windows.h>

#include "core/bitmap_decode.h"
#include "core/file_read.h"
#include "core/image_header.h"
#include "core/resample.h"
#include "core/skin_scale.h"
#include "core/wide.h"
#include "gui/dpi.h"

namespace ss {

namespace {

// More than any bitmap file's headers take: the file header and the largest information one.
constexpr std::size_t kBitmapHeaderBytes = 14 + 124;

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
  // The 96-DPI file must be there at every DPI, and its size sets the size needed: its header
  // is enough for that (the rest is read only when it is the file resampled).
  const std::string basePath = path_ + name;
  const BitmapSize base = BitmapFileSize(ReadFileStart(basePath, kBitmapHeaderBytes));
  const int width = ScaleToDpi(base.width, dpi);
  const int height = ScaleToDpi(base.height, dpi);

  std::vector<int> scales{kBaseScale};
  for (const int scale : variantScales()) {
    if (IsFile(path_ + std::to_string(scale) + "\\" + name)) scales.push_back(scale);
  }
  const int chosen = ChooseVariant(dpi, scales).value_or(kBaseScale);
  const std::string path =
      chosen == kBaseScale ? basePath : path_ + std::to_string(chosen) + "\\" + name;
  const std::string bytes = ReadWholeFile(path);
  CheckBitmapFile(bytes);
  const BitmapSize size = BitmapFileSize(bytes);
  if (size.width == width && size.height == height) {
    // Drawn at this very size (a variant of the exact scale): the file as it is.
    bitmap.loadFromFileBytes(bytes, path);
    return bitmap;
  }
  // Decoded here rather than by the system: the pixels are wanted, not a bitmap of them.
  PixelImage source = DecodeBitmapFile(bytes);
  if (key && keyLastColumn) {
    for (int y = 0; y < source.height; ++y) {
      source.pixels[static_cast<size_t>(y) * source.width + source.width - 1] = *key;
    }
  }
  const PixelImage scaled = Resample(source, width, height, key);
  bitmap.setPixels(scaled.width, scaled.height, scaled.pixels);
  return bitmap;
}

}  // namespace ss
