#include "tools/config/halo_check.h"

#include <cstdlib>

#include "config/language.h"
#include "core/errors.h"
#include "skin/bitmap_decode.h"
#include "skin/halo.h"
#include "skin/skin_scale.h"
#include "tools/config/skin_variants.h"
#include "ui/main/form_main_tables.h"

namespace ss::tool {

namespace {

std::string Size(BitmapSize size) {
  return std::to_string(size.width) + " x " + std::to_string(size.height);
}

constexpr const char* kNoHalo = ": the launcher shows no halo around its window";

// The file at `path` read and decoded with its alpha channel; its size, or nothing after
// reporting why the launcher cannot take it.
std::optional<BitmapSize> ReadHalo(const FolderView& folder, const std::string& path,
                                   FolderReport& report) {
  const FileRead file = folder.read(path);
  if (file.state == FileRead::Missing) return std::nullopt;
  std::string why;
  if (file.state == FileRead::Folder) why = " is a folder, not a file";
  if (file.state == FileRead::Unreadable) why = " cannot be read (" + file.error + ")";
  if (file.state == FileRead::Read) {
    try {
      CheckBitmapFile(file.bytes);
    } catch (const Exception&) {
      why = " is not a valid bitmap" + WhatItIs(file.bytes);
    }
    if (why.empty()) {
      try {
        DecodeAlphaBitmapFile(file.bytes);
        return BitmapFileSize(file.bytes);
      } catch (const Exception&) {
        why = " has no alpha channel";
      }
    }
  }
  report.problems.push_back(
      {Severity::Error, path + why + kNoHalo +
                            ". Save it as a 32-bit bitmap with an alpha channel (bit fields "
                            "with an alpha mask), or remove it."});
  return std::nullopt;
}

// Each scale folder's halo.bmp in `dir`: readable with alpha, and `base` (the halo at `basePath`)
// at its scale.
void CheckHaloVariants(const FolderView& folder, const std::string& dir,
                       const std::string& basePath, std::optional<BitmapSize> base,
                       FolderReport& report) {
  for (const std::string& name : folder.subfolders(dir)) {
    const std::optional<int> scale = VariantScale(name);
    if (!scale) continue;
    const std::string variant = dir + name + "\\" + kHaloFile;
    const std::optional<BitmapSize> size = ReadHalo(folder, variant, report);
    if (!size || !base) continue;
    const BitmapSize wanted{LengthAtScale(base->width, *scale),
                            LengthAtScale(base->height, *scale)};
    if (std::abs(size->width - wanted.width) > 1 || std::abs(size->height - wanted.height) > 1) {
      report.problems.push_back(
          {Severity::Error, variant + " is " + Size(*size) + " pixels, but " + basePath + " is " +
                                Size(*base) + " pixels, so " + Size(wanted) + " at " +
                                std::to_string(*scale) +
                                " %: the launcher passes it over and resamples the halo from "
                                "another scale. Make it " +
                                Size(wanted) + " pixels."});
    }
  }
}

}  // namespace

void CheckHalo(const FolderView& folder, const std::string& skinFolder,
               std::optional<BitmapSize> glyph, FolderReport& report) {
  const std::string path = skinFolder + kHaloFile;
  // Without a halo of the skin's own the launcher reads none of the others.
  const bool present = folder.read(path).state != FileRead::Missing;
  const std::optional<BitmapSize> halo = ReadHalo(folder, path, report);
  if (halo && glyph) {
    try {
      report.facts.push_back("Halo: a margin of " + std::to_string(HaloMargin(*halo, *glyph)) +
                             " pixels at 100 %");
    } catch (const Exception&) {
      report.problems.push_back(
          {Severity::Error,
           path + " is " + Size(*halo) + " pixels and " + main_window::kGlyphFile + " " +
               Size(*glyph) + kNoHalo + ". Make it larger than " + main_window::kGlyphFile +
               " by the same margin on every side, 1 to " + std::to_string(kMaxHaloMargin) +
               " pixels: its width and its height that margin twice over."});
    }
  }
  if (present) CheckHaloVariants(folder, skinFolder, path, halo, report);
  // A language's folder may hold a halo of its own, drawn for its window: in the skin's halo's
  // size, and taken only where the skin has one.
  for (const std::string& name : folder.subfolders(skinFolder)) {
    if (VariantScale(name) || !IsLanguageTag(name)) continue;
    const std::string language = skinFolder + name + "\\";
    const std::string own = language + kHaloFile;
    std::optional<BitmapSize> base = halo;
    std::string basePath = path;
    if (folder.read(own).state != FileRead::Missing) {
      if (!present) {
        report.problems.push_back(
            {Severity::Warning, own +
                                    " is never shown: the launcher shows a language's halo "
                                    "only where the skin has one of its own (" +
                                    path + "). Add it, or remove this one."});
        continue;
      }
      const std::optional<BitmapSize> size = ReadHalo(folder, own, report);
      if (size && halo && (size->width != halo->width || size->height != halo->height)) {
        report.problems.push_back({Severity::Error, own + " is " + Size(*size) + " pixels, but " +
                                                        path + " is " + Size(*halo) + " pixels" +
                                                        kNoHalo + " for that language. Make it " +
                                                        Size(*halo) + " pixels."});
      }
      if (size) {
        base = size;
        basePath = own;
      }
    }
    if (present) CheckHaloVariants(folder, language, basePath, base, report);
  }
}

}  // namespace ss::tool
