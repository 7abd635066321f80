#include "controls/outline_region.h"

#include <algorithm>
#include <cstring>

#include "core/errors.h"

namespace ss {

namespace {

constexpr std::size_t kHeaderRects = sizeof(RGNDATAHEADER) / sizeof(RECT);
static_assert(sizeof(RGNDATAHEADER) == kHeaderRects * sizeof(RECT));

[[noreturn]] void RegionFailed() {
  throw EOutOfResources("Not enough storage is available to process this command");
}

RegionHandle EmptyRegion() {
  RegionHandle region(CreateRectRgn(0, 0, 0, 0));
  if (!region) RegionFailed();
  return region;
}

}  // namespace

RegionBuilder::RegionBuilder(std::size_t batch)
    : batch_(std::max<std::size_t>(batch, 1)), data_(kHeaderRects + batch_) {}

void RegionBuilder::add(const RunRect& rect) {
  RECT& slot = data_[kHeaderRects + count_];
  slot = RECT{rect.left, rect.top, rect.right, rect.bottom};
  if (count_ == 0) {
    bounds_ = slot;
  } else {
    bounds_.left = std::min(bounds_.left, slot.left);
    bounds_.top = std::min(bounds_.top, slot.top);
    bounds_.right = std::max(bounds_.right, slot.right);
    bounds_.bottom = std::max(bounds_.bottom, slot.bottom);
  }
  if (++count_ == batch_) flush();
}

void RegionBuilder::add(std::span<const RunRect> rects) {
  for (const RunRect& rect : rects) add(rect);
}

void RegionBuilder::flush() {
  if (count_ == 0) return;
  RGNDATAHEADER header{};
  header.dwSize = sizeof header;
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(count_);
  header.nRgnSize = static_cast<DWORD>(count_ * sizeof(RECT));
  header.rcBound = bounds_;
  std::memcpy(data_.data(), &header, sizeof header);
  const DWORD size = static_cast<DWORD>((kHeaderRects + count_) * sizeof(RECT));
  RegionHandle region(
      ExtCreateRegion(nullptr, size, reinterpret_cast<const RGNDATA*>(data_.data())));
  if (!region) RegionFailed();
  count_ = 0;
  push(std::move(region), 0);
}

void RegionBuilder::push(RegionHandle region, int level) {
  // Two parts of one level hold about as many rectangles each: unite them into the next level.
  while (!parts_.empty() && parts_.back().level == level) {
    if (CombineRgn(parts_.back().region.get(), parts_.back().region.get(), region.get(), RGN_OR) ==
        ERROR) {
      RegionFailed();
    }
    region = std::move(parts_.back().region);
    parts_.pop_back();
    ++level;
  }
  parts_.push_back(Part{std::move(region), level});
}

RegionHandle RegionBuilder::finish() {
  flush();
  if (parts_.empty()) return EmptyRegion();
  RegionHandle result = std::move(parts_.back().region);
  parts_.pop_back();
  // The smaller parts lie at the back: unite from there towards the largest.
  while (!parts_.empty()) {
    if (CombineRgn(result.get(), result.get(), parts_.back().region.get(), RGN_OR) == ERROR) {
      RegionFailed();
    }
    parts_.pop_back();
  }
  return result;
}

RegionHandle RegionFromRuns(std::span<const RunRect> rects, std::size_t batch) {
  RegionBuilder builder(batch);
  builder.add(rects);
  return builder.finish();
}

RegionHandle CreateOutlineRegion(const Bitmap& glyph, Color transparent) {
  if (glyph.empty()) return EmptyRegion();
  const int width = glyph.width();
  const int height = glyph.height();
  const int stripe = std::min(height, kOutlineStripeRows);
  std::vector<std::uint32_t> bits(static_cast<std::size_t>(width) * stripe);
  std::vector<RunRect> runs;
  RegionBuilder builder;
  // Compared in the bits' own order; pixels lose their unused top byte, the colour keeps it,
  // so a colour with a top byte matches no pixel, as with whole-value comparison.
  const std::uint32_t key = SwapRedBlue(transparent);

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, so a stripe's start scan counts from below
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  ScreenInfoDc screen;
  for (int top = 0; top < height; top += stripe) {
    const int rows = std::min(stripe, height - top);
    const int got = GetDIBits(screen.get(), glyph.handle(), static_cast<UINT>(height - top - rows),
                              static_cast<UINT>(rows), bits.data(), &info, DIB_RGB_COLORS);
    if (got != rows) throw EOutOfResources("Cannot read the pixels of the glyph");
    for (int i = 0; i < rows; ++i) {
      // Bottom-up: the stripe's top row comes last.
      std::uint32_t* row = bits.data() + static_cast<std::size_t>(rows - 1 - i) * width;
      for (int x = 0; x < width; ++x) row[x] &= 0x00FFFFFFu;
      runs.clear();
      AppendRowRuns(row, width, top + i, key, runs);
      builder.add(runs);
    }
  }
  return builder.finish();
}

}  // namespace ss
