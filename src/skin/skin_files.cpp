// Each skin file's variant chosen, read, decoded and resampled, without the window system.
#include "skin/skin_files.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "core/file_read.h"
#include "core/folder_list.h"
#include "core/image_header.h"
#include "core/names.h"
#include "skin/bitmap_decode.h"
#include "skin/skin_scale.h"

namespace ss {

namespace {

// Whether a variant at `scale` of `size` is drawn from a 96-DPI picture of `base`: each side
// that length at the scale, within a pixel for the rounding of whoever drew it.
bool DrawnAtScale(BitmapSize size, BitmapSize base, int scale) {
  return std::abs(size.width - LengthAtScale(base.width, scale)) <= 1 &&
         std::abs(size.height - LengthAtScale(base.height, scale)) <= 1;
}

}  // namespace

bool UsesVariants(int dpi) {
  // ChooseVariant takes the 96-DPI file whenever it is drawn for at least the DPI.
  return dpi > kBaseDpi;
}

SkinVariants ListSkinVariants(const std::string& folder) {
  SkinVariants variants;
  const std::optional<FolderEntries> skin = ListFolder(folder);
  if (!skin) return variants;
  for (const std::string& name : skin->folders) {
    const std::optional<int> scale = VariantScale(name);
    if (!scale) continue;
    const std::optional<FolderEntries> files =
        ListFolder(folder + std::to_string(*scale) + kPathSeparator);
    if (!files) continue;
    auto& byName = variants[*scale];
    for (const std::string& file : files->files) byName.emplace(UpperCaseName(file), file);
  }
  return variants;
}

PixelImage PrepareSkinFile(const std::string& folder, const SkinVariants& variants,
                           const SkinRequest& request, int dpi) {
  // The 96-DPI file, read whole and checked at every DPI: its errors are the same everywhere.
  const std::string baseBytes = ReadWholeFile(folder + request.name);
  CheckBitmapFile(baseBytes);
  const BitmapSize base = BitmapFileSize(baseBytes);
  const int width = ScaleToDpi(base.width, dpi);
  const int height = ScaleToDpi(base.height, dpi);

  std::vector<int> scales{kBaseScale};
  if (UsesVariants(dpi)) {
    const std::string key = UpperCaseName(request.name);
    for (const auto& [scale, files] : variants) {
      if (files.count(key)) scales.push_back(scale);
    }
  }
  PixelImage source;
  // The best variant that is drawn at its scale; the 96-DPI file fits always, so this ends.
  for (;;) {
    const int chosen = ChooseVariant(dpi, scales).value_or(kBaseScale);
    if (chosen == kBaseScale) {
      source = DecodeBitmapFile(baseBytes);
      break;
    }
    const std::string& listed = variants.at(chosen).at(UpperCaseName(request.name));
    const std::string bytes =
        ReadWholeFile(folder + std::to_string(chosen) + kPathSeparator + listed);
    CheckBitmapFile(bytes);
    if (DrawnAtScale(BitmapFileSize(bytes), base, chosen)) {
      source = DecodeBitmapFile(bytes);
      break;
    }
    scales.erase(std::find(scales.begin(), scales.end(), chosen));
  }
  // Drawn at this very size (the 96-DPI file at 96 DPI, a variant of the exact scale): the
  // file as it is.
  if (source.width == width && source.height == height) return source;
  if (request.key && request.keyLastColumn) {
    for (int y = 0; y < source.height; ++y) {
      source.pixels[static_cast<size_t>(y) * source.width + source.width - 1] = *request.key;
    }
  }
  return Resample(source, width, height, request.key);
}

}  // namespace ss
