#include "tools/config/skin_variants.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "skin/outline_runs.h"
#include "skin/bitmap_decode.h"
#include "skin/halo.h"
#include "core/error_text.h"
#include "core/errors.h"
#include "config/language.h"
#include "skin/skin_scale.h"
#include "ui/main/form_main_tables.h"

namespace ss::tool {

namespace {

namespace mw = ss::main_window;

std::string Size(int width, int height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

std::string Percent(int scale) {
  return std::to_string(scale) + " %";
}

// 48066 as "48,066".
std::string Thousands(std::int64_t number) {
  const std::string digits = std::to_string(number);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

// The display scales at which the launcher takes a file from its variant at `scale`: those
// above the next smaller of the file's `scales`, up to `scale`, or every one above when
// `scale` is the largest.
std::string TakenAt(int scale, const std::vector<int>& scales) {
  int below = kBaseScale;
  bool largest = true;
  for (const int other : scales) {
    if (other < scale) below = std::max(below, other);
    if (other > scale) largest = false;
  }
  return "at display scales above " + Percent(below) + (largest ? "" : " up to " + Percent(scale));
}

class VariantChecker {
 public:
  // `language` is the tag of a skin's language folder being checked, empty for the skin's own.
  VariantChecker(const FolderView& folder, const std::string& skinFolder,
                 const std::vector<BaseSkinFile>& base, FolderReport& report,
                 const std::string& language = {})
      : folder_(folder),
        skinFolder_(skinFolder),
        base_(base),
        report_(report),
        language_(language) {}

  void run() {
    for (const std::string& name : folder_.subfolders(skinFolder_)) {
      if (const std::optional<int> scale = VariantScale(name)) {
        variants_.push_back({*scale, std::vector<bool>(base_.size()), {}, {}});
      } else if (language_.empty() && IsLanguageTag(name)) {
        continue;  // a language's pictures, checked on their own
      } else {
        warning(skinFolder_ + name +
                "\\ is no display-scale folder, so the launcher ignores it. Name a folder of "
                "pictures for another display scale by that scale in per cent, from " +
                std::to_string(kMinVariantScale) + " to " + std::to_string(kMaxVariantScale) +
                " without a leading zero (125, 150, 200).");
      }
    }
    std::sort(variants_.begin(), variants_.end(),
              [](const Variant& a, const Variant& b) { return a.scale < b.scale; });
    for (Variant& variant : variants_) list(variant);
    stateScales();
    for (Variant& variant : variants_) measure(variant);
    for (const Variant& variant : variants_) check(variant);
  }

 private:
  struct Variant {
    int scale;
    std::vector<bool> holds;  // which of the base files it has
    std::vector<std::string> strangers;
    // Of the files it holds, those not drawn at its scale: the launcher passes them over.
    std::vector<bool> misfits;
  };

  void warning(std::string text) {
    report_.problems.push_back({Severity::Warning, std::move(text)});
  }
  void error(std::string text) { report_.problems.push_back({Severity::Error, std::move(text)}); }

  std::string folderOf(int scale) const { return skinFolder_ + std::to_string(scale) + "\\"; }

  // Sorts the variant folder's files into skin files, found in any letter case, and others.
  void list(Variant& variant) {
    variant.misfits.assign(base_.size(), false);
    if (const std::optional<std::string> why = folder_.listError(folderOf(variant.scale))) {
      warning(folderOf(variant.scale) + " cannot be listed (" + *why +
              "), so the launcher takes no picture from it. Let every user who starts the "
              "launcher list the folder.");
      return;
    }
    for (const std::string& name : folder_.files(folderOf(variant.scale))) {
      // The halo has checks of its own (CheckHalo).
      if (SameName(name, kHaloFile)) continue;
      const auto known = std::find_if(base_.begin(), base_.end(), [&](const BaseSkinFile& f) {
        return SameName(f.name, name);
      });
      if (known == base_.end()) {
        variant.strangers.push_back(name);
      } else {
        variant.holds[static_cast<size_t>(known - base_.begin())] = true;
      }
    }
  }

  void stateScales() {
    std::string fact = language_.empty() ? "Scales: " : "Scales of " + skinFolder_ + ": ";
    for (const Variant& variant : variants_) {
      const auto held = std::count(variant.holds.begin(), variant.holds.end(), true);
      fact += (&variant == &variants_.front() ? "" : ", ") + Percent(variant.scale) + " (" +
              std::to_string(held) + " of " + std::to_string(base_.size()) + " files)";
    }
    if (variants_.empty()) {
      fact += "none (at display scales other than 100 % the launcher resamples the 96-DPI files)";
    }
    report_.facts.push_back(fact);
  }

  // The size the launcher needs of each file at the variant's scale, from its 96-DPI file.
  static BitmapSize WantedSize(const BaseSkinFile& base, int scale) {
    return base.size ? BitmapSize{LengthAtScale(base.size->width, scale),
                                  LengthAtScale(base.size->height, scale)}
                     : BitmapSize{};
  }

  // Finds the valid files of the variant that are not drawn at its scale and reports them: the
  // launcher never takes them, at any display scale.
  void measure(Variant& variant) {
    for (size_t i = 0; i < base_.size(); ++i) {
      const BaseSkinFile& base = base_[i];
      if (!variant.holds[i] || !base.size) continue;
      const std::string path = folderOf(variant.scale) + base.name;
      const FileRead file = folder_.read(path);
      if (file.state != FileRead::Read) continue;
      BitmapSize size;
      try {
        CheckBitmapFile(file.bytes);
        size = BitmapFileSize(file.bytes);
      } catch (const Exception&) {
        continue;
      }
      const BitmapSize wanted = WantedSize(base, variant.scale);
      if (std::abs(size.width - wanted.width) <= 1 && std::abs(size.height - wanted.height) <= 1) {
        continue;
      }
      variant.misfits[i] = true;
      const std::string wantedSize = Size(wanted.width, wanted.height);
      error(path + " is " + Size(size.width, size.height) + " pixels, but " + base.name + " is " +
            Size(base.size->width, base.size->height) + " pixels at 100 %, so " + wantedSize +
            " at " + Percent(variant.scale) +
            ": the launcher ignores it and takes the picture from the next scale that has it "
            "(or resamples the 96-DPI file). Make it " +
            wantedSize + " pixels.");
    }
  }

  void check(const Variant& variant) {
    const std::string folder = folderOf(variant.scale);
    for (const std::string& name : variant.strangers) {
      warning(folder + name +
              " is no skin file, so the launcher ignores it. Give it the name of the skin file "
              "it is drawn for, or remove it.");
    }
    for (size_t i = 0; i < base_.size(); ++i) {
      if (!variant.holds[i] || variant.misfits[i]) continue;
      std::vector<int> scales{kBaseScale};
      for (const Variant& other : variants_) {
        if (other.holds[i] && !other.misfits[i]) scales.push_back(other.scale);
      }
      checkFile(folder + base_[i].name, base_[i], variant.scale, TakenAt(variant.scale, scales));
    }
  }

  void checkFile(const std::string& path, const BaseSkinFile& base, int scale,
                 const std::string& takenAt) {
    const FileRead file = folder_.read(path);
    if (file.state == FileRead::Unreadable) {
      error(path + " cannot be read (" + file.error + "): " + takenAt +
            " the launcher will show an error box and " + base.loss +
            ". Let every user who starts the launcher read the file.");
      return;
    }
    if (file.state != FileRead::Read) return;
    // The 96-DPI file sets the size at every scale; without it there is nothing to compare.
    const BitmapSize wanted = WantedSize(base, scale);
    const std::string wantedSize = Size(wanted.width, wanted.height);
    try {
      CheckBitmapFile(file.bytes);
    } catch (const Exception& invalid) {
      error(path + " is not a valid bitmap" + WhatItIs(file.bytes) + ": " + takenAt +
            " the launcher will show the error box \"" + ErrorBoxText(invalid.message()) +
            "\" and " + base.loss + ". Save it as a Windows bitmap (.bmp, 24 bits per pixel)" +
            (base.size ? " of " + wantedSize + " pixels" : "") +
            ", or remove it to have the launcher resample the file from another scale.");
      return;
    }
    CheckRunLengthData(path, file.bytes, report_);
    if (SameName(base.name, mw::kGlyphFile)) CheckOutlineSize(path, file.bytes, report_);
  }

  const FolderView& folder_;
  const std::string& skinFolder_;
  const std::vector<BaseSkinFile>& base_;
  FolderReport& report_;
  const std::string language_;
  std::vector<Variant> variants_;
};

// A skin's language folder (`folder`, a relative path ending in "\", for the language `tag`):
// its 96-DPI pictures must be valid skin files of the skin's own sizes, since they stand in for
// the skin's files; its variant folders are checked against them, or against the skin's own
// files where it has none.
void CheckLanguageFolder(const FolderView& view, const std::string& folder, const std::string& tag,
                         const std::vector<BaseSkinFile>& skin, FolderReport& report) {
  std::vector<BaseSkinFile> base = skin;
  const auto problem = [&](Severity severity, std::string text) {
    report.problems.push_back({severity, std::move(text)});
  };
  for (const std::string& name : view.files(folder)) {
    const auto known = std::find_if(base.begin(), base.end(),
                                    [&](const BaseSkinFile& f) { return SameName(f.name, name); });
    const std::string path = folder + name;
    if (known == base.end()) {
      problem(Severity::Warning, path +
                                     " is no skin file, so the launcher ignores it. Give it the "
                                     "name of the skin file it is drawn for, or remove it.");
      continue;
    }
    const std::string users = "for users of the language \"" + tag + "\" the launcher will";
    const FileRead file = view.read(path);
    if (file.state == FileRead::Unreadable) {
      problem(Severity::Error, path + " cannot be read (" + file.error + "): " + users +
                                   " show an error box and " + known->loss +
                                   ". Let every user who starts the launcher read the file.");
      continue;
    }
    if (file.state != FileRead::Read) continue;
    const std::string wanted =
        known->size ? " of " + Size(known->size->width, known->size->height) + " pixels" : "";
    try {
      CheckBitmapFile(file.bytes);
    } catch (const Exception& invalid) {
      problem(Severity::Error,
              path + " is not a valid bitmap" + WhatItIs(file.bytes) + ": " + users +
                  " show the error box \"" + ErrorBoxText(invalid.message()) + "\" and " +
                  known->loss + ". Save it as a Windows bitmap (.bmp, 24 bits per pixel)" + wanted +
                  ", or remove it to have the launcher take the skin's own.");
      continue;
    }
    const BitmapSize size = BitmapFileSize(file.bytes);
    if (known->size && (size.width != known->size->width || size.height != known->size->height)) {
      problem(Severity::Error, path + " is " + Size(size.width, size.height) +
                                   " pixels, but the skin's own " + known->name + " is " +
                                   Size(known->size->width, known->size->height) + ": " + users +
                                   " lay the window out for a picture of another size. Make it" +
                                   wanted + ".");
    }
    CheckRunLengthData(path, file.bytes, report);
    if (SameName(known->name, mw::kGlyphFile)) CheckOutlineSize(path, file.bytes, report);
    // Its variants are measured against the picture the language shows at 100 %.
    known->size = size;
  }
  VariantChecker(view, folder, base, report, tag).run();
}

}  // namespace

std::string WhatItIs(const std::string& bytes) {
  if (bytes.empty()) return " (the file is empty)";
  if (bytes.rfind("\x89PNG", 0) == 0) return " (it is a PNG image)";
  if (bytes.rfind("\xFF\xD8\xFF", 0) == 0) return " (it is a JPEG image)";
  if (bytes.rfind("GIF8", 0) == 0) return " (it is a GIF image)";
  if (bytes.rfind("BM", 0) != 0) return "";
  try {
    const BitmapSize size = BitmapFileSize(bytes);
    if (size.width > kMaxBitmapSide || size.height > kMaxBitmapSide ||
        std::int64_t{size.width} * size.height > kMaxBitmapPixels) {
      return " (it is " + Size(size.width, size.height) +
             " pixels, more than the launcher takes: at most " + Thousands(kMaxBitmapSide) +
             " a side and " + Thousands(kMaxBitmapPixels) + " in all)";
    }
  } catch (const Exception&) {
    // Too short even for its sizes: damaged, as below.
  }
  return " (its header or pixel data is damaged or cut short)";
}

void CheckRunLengthData(const std::string& path, std::string_view bytes, FolderReport& report) {
  const std::optional<std::size_t> damage = RunLengthDamage(bytes);
  if (!damage) return;
  char hex[24];
  std::snprintf(hex, sizeof hex, "0x%zX", *damage);
  report.problems.push_back(
      {Severity::Warning,
       path + " has damaged run-length data from byte " +
           Thousands(static_cast<std::int64_t>(*damage)) + " (" + hex +
           ") on: a run past its row's end or the picture's top, a jump outside the picture, "
           "or a run cut short. The launcher shows the pixels that fit and leaves the others in "
           "the palette's first colour, at every display scale. Save the picture again, "
           "uncompressed."});
}

void CheckOutlineSize(const std::string& path, std::string_view bytes, FolderReport& report) {
  const PixelImage image = DecodeBitmapFile(bytes);
  // Counted row by row, as the outline builder makes them: a fine pattern on a large skin
  // holds millions of runs, too many to keep at once.
  std::int64_t rects = 0;
  std::vector<RunRect> runs;
  for (int y = 0; y < image.height; ++y) {
    runs.clear();
    AppendRowRuns(image.pixels.data() + static_cast<size_t>(y) * image.width, image.width, y,
                  mw::kTransparentColor, runs);
    rects += static_cast<std::int64_t>(runs.size());
  }
  if (rects <= static_cast<std::int64_t>(kMostOutlineRects)) return;
  report.problems.push_back(
      {Severity::Warning,
       path + " needs " + Thousands(rects) +
           " rectangles for the window's outline, one for each run of pixels between those of "
           "the key colour 0xFF00FF in a row: under Wine's X server a window shape of more than "
           "about 30,000 rectangles ends the launcher without a word. Keep the key colour to "
           "whole areas instead of a fine pattern, so that the outline needs at most " +
           Thousands(kMostOutlineRects) + "."});
}

void CheckSkinVariants(const FolderView& folder, const std::string& skinFolder,
                       const std::vector<BaseSkinFile>& base, FolderReport& report) {
  VariantChecker(folder, skinFolder, base, report).run();
  for (const std::string& name : folder.subfolders(skinFolder)) {
    if (!VariantScale(name) && IsLanguageTag(name)) {
      CheckLanguageFolder(folder, skinFolder + name + "\\", name, base, report);
    }
  }
}

}  // namespace ss::tool
