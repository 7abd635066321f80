// Window regions made from glyph outlines: rectangles handed to the system in batches.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <vector>

#include "skin/outline_runs.h"
#include "gui/bitmap.h"
#include "gui/graphics_types.h"
#include "gui/handle.h"

namespace ss {

// Rectangles per ExtCreateRegion call. Wine unites a region's rectangles one at a time, each
// union costing as much as the region built so far, so one call on thousands is quadratic.
inline constexpr std::size_t kRegionBatch = 32;
// Glyph rows read per GetDIBits call: the pixels of a large glyph are never held all at once.
inline constexpr int kOutlineStripeRows = 256;

// Unites rectangles into one region: each batch becomes a region of its own, and batch
// regions are merged in pairs of equal size (a binary counter), so no merge is lopsided.
class RegionBuilder {
 public:
  explicit RegionBuilder(std::size_t batch = kRegionBatch);
  RegionBuilder(const RegionBuilder&) = delete;
  RegionBuilder& operator=(const RegionBuilder&) = delete;

  void add(const RunRect& rect);
  void add(std::span<const RunRect> rects);
  // The union of everything added; an empty region when nothing was. Raises EOutOfResources.
  RegionHandle finish();

 private:
  struct Part {
    RegionHandle region;
    int level;
  };
  void flush();
  void push(RegionHandle region, int level);

  std::size_t batch_;
  // An RGNDATA block: its 32-byte header takes the first two RECTs.
  std::vector<RECT> data_;
  std::size_t count_ = 0;
  RECT bounds_{};
  std::vector<Part> parts_;
};

// The union of `rects` as one region.
RegionHandle RegionFromRuns(std::span<const RunRect> rects, std::size_t batch = kRegionBatch);

// The outline of `glyph`: one rectangle per run of pixels not exactly `transparent`, the
// last column never included (see AppendRowRuns). An empty glyph gives an empty region.
RegionHandle CreateOutlineRegion(const Bitmap& glyph, Color transparent);

}  // namespace ss
