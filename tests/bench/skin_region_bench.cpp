// Benchmark: the batched outline region against a per-pixel GetPixel + CombineRgn build of the
// same outline, on a large many-run glyph and on a skin of the launcher's size.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "controls/outline_region.h"
#include "skin/outline_runs.h"
#include "gui/bitmap.h"
#include "gui/handle.h"
#include "ui/main/form_main_tables.h"
#include "bench_clock.h"

namespace {

using namespace ss;

constexpr COLORREF kFuchsia = 0xFF00FF;

// A glyph as the launcher has it: a DIB section, as LoadImage makes from a file.
Bitmap MakeGlyph(int width, int height, const std::function<COLORREF(int, int)>& colour) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  BitmapHandle section(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      pixels[static_cast<size_t>(y) * width + x] =
          (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  }
  GdiFlush();
  Bitmap glyph;
  glyph.adopt(std::move(section));
  return glyph;
}

// The outline read one pixel at a time, one CreateRectRgn and CombineRgn per run.
RegionHandle PerPixelRegion(const Bitmap& glyph, COLORREF transparent) {
  BitmapDc dc(glyph.handle());
  RegionHandle region(CreateRectRgn(0, 0, 0, 0));
  const int width = glyph.width();
  for (int y = 0; y < glyph.height(); ++y) {
    bool open = false;
    int start = 0, end = 0;
    for (int x = 0; x < width; ++x) {
      if (GetPixel(dc.get(), x, y) == transparent || x == width - 1) {
        if (open) {
          RegionHandle run(CreateRectRgn(start, y, end + 1, y + 1));
          CombineRgn(region.get(), region.get(), run.get(), RGN_OR);
          open = false;
        }
      } else if (!open) {
        open = true;
        start = end = x;
      } else {
        ++end;
      }
    }
  }
  return region;
}

// The median time of `runs` calls.
double Median(int runs, const std::function<void()>& call) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double start = Now();
    call();
    times.push_back(Now() - start);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

bool Compare(const char* name, const Bitmap& glyph, int referenceRuns, int fastRuns,
             double target) {
  const std::vector<std::uint32_t> pixels = glyph.pixels();
  const size_t runs = OutlineRuns(pixels, glyph.width(), glyph.height(), kFuchsia).size();
  RegionHandle reference;
  RegionHandle fast;
  const double slow = Median(referenceRuns, [&] { reference = PerPixelRegion(glyph, kFuchsia); });
  const double quick = Median(fastRuns, [&] { fast = CreateOutlineRegion(glyph, kFuchsia); });
  const bool equal = EqualRgn(reference.get(), fast.get()) != FALSE;
  const double ratio = slow / quick;
  std::printf(
      "%-10s %4d x %-4d %6zu runs  per-pixel %9.2f ms  batched %7.2f ms  ratio %7.1fx"
      "  regions %s\n",
      name, glyph.width(), glyph.height(), runs, slow * 1000, quick * 1000, ratio,
      equal ? "equal" : "DIFFER");
  if (target > 0 && ratio < target) std::printf("  below the target of %.0fx\n", target);
  return equal && (target <= 0 || ratio >= target);
}

// How the batch size shares the work between ExtCreateRegion and the merges.
void BatchSizes(const Bitmap& glyph) {
  const std::vector<std::uint32_t> pixels = glyph.pixels();
  const std::vector<RunRect> runs = OutlineRuns(pixels, glyph.width(), glyph.height(), kFuchsia);
  std::printf("batch sizes on the large glyph (runs to region only):\n");
  for (size_t batch : {size_t{16}, size_t{32}, size_t{64}, size_t{128}, size_t{256}, size_t{512},
                       size_t{2048}, runs.size()}) {
    const double t = Median(7, [&] { RegionFromRuns(runs, batch); });
    std::printf("  %6zu rects per call  %8.2f ms\n", batch, t * 1000);
  }
}

}  // namespace

int main() {
  // Ellipse-shaped, with slanted gaps that change from row to row: tens of thousands of runs.
  const Bitmap large = MakeGlyph(1920, 1080, [](int x, int y) -> COLORREF {
    const double dx = (x - 960) / 960.0, dy = (y - 540) / 540.0;
    if (dx * dx + dy * dy > 1.0) return kFuchsia;
    if ((x + (y * y) / 37) % 61 < 9) return kFuchsia;
    return RGB(x & 0xFF, y & 0xFF, 0x40);
  });
  // The launcher's design size: rounded corners, a notch, a title strip with holes.
  const Bitmap skin = MakeGlyph(main_window::kDesignClientWidth, main_window::kDesignClientHeight,
                                [](int x, int y) -> COLORREF {
                                  const int w = main_window::kDesignClientWidth;
                                  const int h = main_window::kDesignClientHeight;
                                  const int r = 14;
                                  const int cx = x < r ? r : (x >= w - r ? w - r - 1 : x);
                                  const int cy = y < r ? r : (y >= h - r ? h - r - 1 : y);
                                  if ((x - cx) * (x - cx) + (y - cy) * (y - cy) > r * r) {
                                    return kFuchsia;
                                  }
                                  if (y < 30 && x > 150 && x < 290 && (x / 7) % 2 == 0) {
                                    return kFuchsia;
                                  }
                                  return RGB(0x20 + x % 50, 0x30 + y % 40, 0x90);
                                });
  bool ok = true;
  ok &= Compare("large", large, 1, 5, 20.0);
  ok &= Compare("skin", skin, 5, 21, 0.0);
  BatchSizes(large);
  std::printf("%s\n", ok ? "OK" : "FAILED");
  return ok ? 0 : 1;
}
