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
#include "skin/halo.h"
#include "skin/skin_scale.h"

namespace ss {

namespace {

// Whether a variant at `scale` of `size` is drawn from a 96-DPI picture of `base`: each side
// that length at the scale, within a pixel for the rounding of whoever drew it.
bool DrawnAtScale(BitmapSize size, BitmapSize base, int scale) {
  return std::abs(size.width - LengthAtScale(base.width, scale)) <= 1 &&
         std::abs(size.height - LengthAtScale(base.height, scale)) <= 1;
}

// The pixels from one set of pictures of the file `key` (upper-cased): `ownBase`, its 96-DPI
// file's bytes when it has one, and its variants; sized from `base`. nullopt when the set has
// neither that file at 96 DPI nor a variant drawn at its scale.
std::optional<PixelImage> FromSet(const std::string& folder, const SkinVariants& variants,
                                  const std::string& key, const std::string* ownBase,
                                  BitmapSize base, int dpi, bool alpha) {
  const auto decode = alpha ? DecodeAlphaBitmapFile : DecodeBitmapFile;
  std::vector<int> scales;
  if (ownBase) scales.push_back(kBaseScale);
  if (UsesVariants(dpi)) {
    for (const auto& [scale, files] : variants) {
      if (files.count(key)) scales.push_back(scale);
    }
  }
  // The best variant that is drawn at its scale, else the 96-DPI file.
  while (!scales.empty()) {
    const int chosen = ChooseVariant(dpi, scales).value_or(kBaseScale);
    if (chosen == kBaseScale) return decode(*ownBase);
    const std::string& listed = variants.at(chosen).at(key);
    const std::string bytes =
        ReadWholeFile(folder + std::to_string(chosen) + kPathSeparator + listed);
    CheckBitmapFile(bytes);
    if (DrawnAtScale(BitmapFileSize(bytes), base, chosen)) return decode(bytes);
    scales.erase(std::find(scales.begin(), scales.end(), chosen));
  }
  return std::nullopt;
}

}  // namespace

std::vector<SkinLanguageFolder> ListSkinLanguages(const std::string& folder,
                                                  const std::vector<std::string>& tags,
                                                  bool withVariants) {
  std::vector<SkinLanguageFolder> languages;
  if (tags.empty()) return languages;
  const std::optional<FolderEntries> skin = ListFolder(folder);
  if (!skin) return languages;
  for (const std::string& tag : tags) {
    const auto found = std::find_if(
        skin->folders.begin(), skin->folders.end(),
        [&](const std::string& name) { return UpperCaseName(name) == UpperCaseName(tag); });
    if (found == skin->folders.end()) continue;
    SkinLanguageFolder language;
    language.path = folder + *found + kPathSeparator;
    if (const std::optional<FolderEntries> files = ListFolder(language.path)) {
      for (const std::string& file : files->files) {
        language.files.emplace(UpperCaseName(file), file);
      }
    }
    if (withVariants) language.variants = ListSkinVariants(language.path);
    languages.push_back(std::move(language));
  }
  return languages;
}

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
                           const SkinRequest& request, int dpi,
                           const std::vector<SkinLanguageFolder>& languages) {
  // The 96-DPI file, read whole and checked at every DPI: its errors are the same everywhere.
  const std::string baseBytes = ReadWholeFile(folder + request.name);
  CheckBitmapFile(baseBytes);
  const std::string key = UpperCaseName(request.name);
  BitmapSize base = BitmapFileSize(baseBytes);
  std::optional<PixelImage> found;
  for (const SkinLanguageFolder& language : languages) {
    std::string ownBase;
    const auto listed = language.files.find(key);
    BitmapSize languageBase = base;
    if (listed != language.files.end()) {
      ownBase = ReadWholeFile(language.path + listed->second);
      CheckBitmapFile(ownBase);
      languageBase = BitmapFileSize(ownBase);
    }
    found = FromSet(language.path, language.variants, key,
                    listed != language.files.end() ? &ownBase : nullptr, languageBase, dpi,
                    request.alpha);
    if (found) {
      base = languageBase;
      break;
    }
  }
  // The skin's own 96-DPI file fits always, so there is a picture in the end.
  if (!found) found = FromSet(folder, variants, key, &baseBytes, base, dpi, request.alpha);
  PixelImage source = std::move(*found);
  const int width = ScaleToDpi(base.width, dpi);
  const int height = ScaleToDpi(base.height, dpi);
  if (request.alpha) {
    source = Premultiply(std::move(source));
    if (source.width == width && source.height == height) return source;
    return ResamplePremultiplied(source, width, height);
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
