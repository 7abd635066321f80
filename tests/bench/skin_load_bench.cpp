// Benchmark: the launcher's whole skin (its 31 files) prepared and made into bitmaps as the
// launcher loads it at 96 DPI (the files as they are), at 120, 144 and 192 (the 125 %, 150 % and
// 200 % variants as they are) and at 168 (resampled from the 200 % variants), prepared side by
// side as the launcher does; then the resampler alone on pixels decoded beforehand.
//   skin_load_bench.exe SKIN_FOLDER [ROUNDS]
// SKIN_FOLDER ends in "\" and holds the 96-DPI files and "125", "150" and "200" folders with
// all of them.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "skin/bitmap_decode.h"
#include "core/file_read.h"
#include "core/image_header.h"
#include "skin/resample.h"
#include "skin/skin_scale.h"
#include "core/wide.h"
#include "gui/bitmap.h"
#include "skin/skin_preparation.h"
#include "ui/main/form_main_tables.h"

namespace {

using namespace ss;
using namespace ss::main_window;

constexpr int kDpis[] = {96, 120, 144, 168, 192};
constexpr int kDpiCount = 5;
// The variant that 168 DPI resamples, for the resampler alone.
constexpr const char* kVariantFolder = "200\\";
constexpr int kResampledDpi = 168;

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

// A preparation of the whole skin as one start of the launcher begins it (so the folders are
// listed again).
SkinPreparation Prepare(const std::string& folder, const std::vector<SkinFile>& files, int dpi) {
  std::vector<SkinRequest> requests;
  for (const SkinFile& file : files) requests.push_back({file.name, KeyOf(file), file.glyph});
  return SkinPreparation({folder, dpi, requests, {}});
}

Bitmap Load(SkinPreparation& skin, size_t index) {
  const PixelImage pixels = skin.take(index);
  Bitmap bitmap;
  bitmap.setPixels(pixels.width, pixels.height, pixels.pixels);
  return bitmap;
}

// The whole skin as one start of the launcher loads it; milliseconds.
double LoadSkin(const std::string& folder, const std::vector<SkinFile>& files, int dpi) {
  const double start = Now();
  SkinPreparation skin = Prepare(folder, files, dpi);
  for (size_t i = 0; i < files.size(); ++i) Load(skin, i);
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
  std::vector<BitmapSize> resampledSizes;
  try {
    for (int d = 0; d < kDpiCount; ++d) {
      SkinPreparation skin = Prepare(folder, files, kDpis[d]);
      for (size_t i = 0; i < files.size(); ++i) {
        const SkinFile& file = files[i];
        const Bitmap bitmap = Load(skin, i);
        const BitmapSize base = BitmapFileSize(ReadWholeFile(folder + file.name));
        if (bitmap.width() != ScaleToDpi(base.width, kDpis[d]) ||
            bitmap.height() != ScaleToDpi(base.height, kDpis[d])) {
          std::printf("%s at %d DPI: %d x %d\n", file.name, kDpis[d], bitmap.width(),
                      bitmap.height());
          return 1;
        }
        pixels[d] += static_cast<long long>(bitmap.width()) * bitmap.height();
        if (kDpis[d] == kResampledDpi) resampledSizes.push_back({bitmap.width(), bitmap.height()});
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

  // The DPIs in turns, each first in every fifth round; then the resampler.
  std::vector<double> whole[kDpiCount], resampleAlone;
  for (int round = 0; round < rounds; ++round) {
    for (int k = 0; k < kDpiCount; ++k) {
      const int d = (round + k) % kDpiCount;
      whole[d].push_back(LoadSkin(folder, files, kDpis[d]));
    }
    const double start = Now();
    for (size_t i = 0; i < files.size(); ++i) {
      Resample(sources[i], resampledSizes[i].width, resampledSizes[i].height, KeyOf(files[i]));
    }
    resampleAlone.push_back((Now() - start) * 1000);
  }

  const char* how[kDpiCount] = {"the files as they are", "the 125 % files as they are",
                                "the 150 % files as they are", "resampled from the 200 % files",
                                "the 200 % files as they are"};
  std::printf(
      "the skin's %zu files prepared and made bitmaps, %d rounds of each DPI in turns, "
      "medians of a round\n",
      files.size(), rounds);
  const double base = Median(whole[0]);
  for (int d = 0; d < kDpiCount; ++d) {
    std::printf("  %3d DPI  %-31s %8.2f ms  %8lld pixels", kDpis[d], how[d], Median(whole[d]),
                pixels[d]);
    if (d > 0) std::printf("  ratio %5.2fx", Median(whole[d]) / base);
    std::printf("\n");
  }
  std::printf("the resampler alone, the 200 %% files' decoded pixels to %d DPI: %.2f ms\n",
              kResampledDpi, Median(resampleAlone));
  return 0;
}
