// Benchmark: the launcher's whole skin (its 31 files) loaded through SkinFolder::load as the
// launcher loads it at 96 DPI (the files as they are), at 144 (resampled from the 200 % variants)
// and at 192 (the variants as they are); then the same loads taken apart into their steps, and
// the resampler alone on pixels decoded beforehand.
//   skin_load_bench.exe SKIN_FOLDER [ROUNDS]
// SKIN_FOLDER ends in "\" and holds the 96-DPI files and a "200" folder with all of them.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "core/bitmap_decode.h"
#include "core/file_read.h"
#include "core/image_header.h"
#include "core/resample.h"
#include "core/skin_scale.h"
#include "core/wide.h"
#include "gui/skin_files.h"
#include "ui/main/form_main_tables.h"

namespace {

using namespace ss;
using namespace ss::main_window;

constexpr int kDpis[] = {96, 144, 192};
constexpr int kDpiCount = 3;
constexpr const char* kVariantFolder = "200\\";

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The skin's files in the launcher's loading order: the glyph first, keyed as the launcher
// keys it, then three pictures per button.
struct SkinFile {
  const char* name;
  bool glyph;
};

std::vector<SkinFile> SkinFiles() {
  std::vector<SkinFile> files{{kGlyphFile, true}};
  for (const ButtonLayout& b : kButtons) {
    for (const char* name : b.skinFiles) files.push_back({name, false});
  }
  return files;
}

std::optional<std::uint32_t> KeyOf(const SkinFile& file) {
  // Fuchsia reads the same in either channel order.
  return file.glyph ? std::optional<std::uint32_t>(kTransparentColor) : std::nullopt;
}

Bitmap Load(SkinFolder& skin, const SkinFile& file, int dpi) {
  return file.glyph ? skin.load(file.name, dpi, kTransparentColor, true)
                    : skin.load(file.name, dpi);
}

// The whole skin as one start of the launcher loads it, with a folder object of its own (so
// the variant folders are listed again); milliseconds.
double LoadSkin(const std::string& folder, const std::vector<SkinFile>& files, int dpi) {
  const double start = Now();
  SkinFolder skin(folder);
  for (const SkinFile& file : files) Load(skin, file, dpi);
  return (Now() - start) * 1000;
}

// The pixels of a bitmap file as the resampler takes them, the glyph's last column keyed.
PixelImage SourcePixels(const std::string& bytes, const SkinFile& file) {
  PixelImage source = DecodeBitmapFile(bytes);
  if (file.glyph) {
    for (int y = 0; y < source.height; ++y) {
      source.pixels[static_cast<size_t>(y) * source.width + source.width - 1] = kTransparentColor;
    }
  }
  return source;
}

// The steps SkinFolder::load takes, in milliseconds summed over the skin's files.
enum Step {
  kReadBase,     // the 96-DPI file read (whole at 96, its header elsewhere)
  kFindVariant,  // the 200 % file looked for
  kReadVariant,  // ... and read
  kDecode,       // the file taken checked and decoded (at 96 into a bitmap, elsewhere into pixels)
  kResample,     // resampled to the size needed
  kMakeBitmap,   // the result made a bitmap
  kStepCount
};
using Steps = std::array<double, kStepCount>;

constexpr const char* kStepNames[kStepCount] = {
    "the 96-DPI file read (its header only above 96 DPI)",
    "the 200 % file looked for",
    "the 200 % file read",
    "the file taken checked and decoded",
    "resampled",
    "the result made a bitmap",
};

// One load of the whole skin at `dpi` step by step, as SkinFolder::load takes them (the
// variant folder's listing, once per folder object, left out).
Steps LoadSkinInSteps(const std::string& folder, const std::vector<SkinFile>& files, int dpi) {
  Steps steps{};
  for (const SkinFile& file : files) {
    double t = Now();
    const auto lap = [&t, &steps](Step step) {
      const double now = Now();
      steps[step] += (now - t) * 1000;
      t = now;
    };
    const std::string path = folder + file.name;
    Bitmap bitmap;
    if (dpi == 96) {
      const std::string bytes = ReadWholeFile(path);
      lap(kReadBase);
      bitmap.loadFromFileBytes(bytes, path);
      lap(kDecode);
      continue;
    }
    const BitmapSize base = BitmapFileSize(ReadFileStart(path, 14 + 124));
    const int width = ScaleToDpi(base.width, dpi), height = ScaleToDpi(base.height, dpi);
    lap(kReadBase);
    const std::string variant = folder + kVariantFolder + file.name;
    if (GetFileAttributesW(Wide(variant).c_str()) == INVALID_FILE_ATTRIBUTES) {
      std::printf("no %s\n", variant.c_str());
      std::exit(1);
    }
    lap(kFindVariant);
    const std::string variantBytes = ReadWholeFile(variant);
    lap(kReadVariant);
    const BitmapSize size = BitmapFileSize(variantBytes);
    if (size.width == width && size.height == height) {
      bitmap.loadFromFileBytes(variantBytes, variant);
      lap(kDecode);
      continue;
    }
    const PixelImage source = SourcePixels(variantBytes, file);
    lap(kDecode);
    const PixelImage scaled = Resample(source, width, height, KeyOf(file));
    lap(kResample);
    bitmap.setPixels(scaled.width, scaled.height, scaled.pixels);
    lap(kMakeBitmap);
  }
  return steps;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: skin_load_bench SKIN_FOLDER [ROUNDS]\n");
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '\\') folder += '\\';
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 40;
  const std::vector<SkinFile> files = SkinFiles();

  // Every file at every DPI once, checked for the size the launcher needs there; this also
  // brings the files into the system's cache before the timing.
  long long pixels[kDpiCount] = {};
  std::vector<PixelImage> sources;
  std::vector<BitmapSize> sizes144;
  try {
    for (int d = 0; d < kDpiCount; ++d) {
      SkinFolder skin(folder);
      for (const SkinFile& file : files) {
        const Bitmap bitmap = Load(skin, file, kDpis[d]);
        const BitmapSize base = BitmapFileSize(ReadWholeFile(folder + file.name));
        if (bitmap.width() != ScaleToDpi(base.width, kDpis[d]) ||
            bitmap.height() != ScaleToDpi(base.height, kDpis[d])) {
          std::printf("%s at %d DPI: %d x %d\n", file.name, kDpis[d], bitmap.width(),
                      bitmap.height());
          return 1;
        }
        pixels[d] += static_cast<long long>(bitmap.width()) * bitmap.height();
        if (kDpis[d] == 144) sizes144.push_back({bitmap.width(), bitmap.height()});
      }
    }
    // The pixels of the 200 % files as decoded, for the resampler alone.
    for (const SkinFile& file : files) {
      sources.push_back(SourcePixels(ReadWholeFile(folder + kVariantFolder + file.name), file));
    }
  } catch (const std::exception& e) {
    std::printf("cannot load the skin in %s: %s\n", folder.c_str(), e.what());
    return 1;
  }

  // The DPIs in turns, each first in every third round; then the steps and the resampler.
  std::vector<double> whole[kDpiCount], resampleAlone;
  std::vector<Steps> steps[kDpiCount];
  for (int round = 0; round < rounds; ++round) {
    for (int k = 0; k < kDpiCount; ++k) {
      const int d = (round + k) % kDpiCount;
      whole[d].push_back(LoadSkin(folder, files, kDpis[d]));
    }
    for (int k = 0; k < kDpiCount; ++k) {
      const int d = (round + k) % kDpiCount;
      steps[d].push_back(LoadSkinInSteps(folder, files, kDpis[d]));
    }
    const double start = Now();
    for (size_t i = 0; i < files.size(); ++i) {
      Resample(sources[i], sizes144[i].width, sizes144[i].height, KeyOf(files[i]));
    }
    resampleAlone.push_back((Now() - start) * 1000);
  }

  const char* how[kDpiCount] = {"the files as they are", "resampled from the 200 % files",
                                "the 200 % files as they are"};
  std::printf(
      "the skin's %zu files through SkinFolder::load, %d rounds of each DPI in turns, "
      "medians of a round\n",
      files.size(), rounds);
  const double base = Median(whole[0]);
  for (int d = 0; d < kDpiCount; ++d) {
    std::printf("  %3d DPI  %-31s %8.2f ms  %8lld pixels", kDpis[d], how[d], Median(whole[d]),
                pixels[d]);
    if (d > 0) std::printf("  ratio %5.2fx", Median(whole[d]) / base);
    std::printf("\n");
  }
  std::printf("the same loads step by step (each step's sum over the files, medians)\n");
  std::printf("  %-44s", "");
  for (const int dpi : kDpis) std::printf("  %4d DPI", dpi);
  std::printf("\n");
  double totals[kDpiCount] = {};
  for (int step = 0; step < kStepCount; ++step) {
    std::printf("  %-44s", kStepNames[step]);
    for (int d = 0; d < kDpiCount; ++d) {
      std::vector<double> values;
      for (const Steps& one : steps[d]) values.push_back(one[step]);
      totals[d] += Median(values);
      std::printf(" %6.2f ms", Median(values));
    }
    std::printf("\n");
  }
  std::printf("  %-44s", "all steps");
  for (const double total : totals) std::printf(" %6.2f ms", total);
  std::printf("\nthe resampler alone, the 200 %% files' decoded pixels to 144 DPI: %.2f ms\n",
              Median(resampleAlone));
  return 0;
}
