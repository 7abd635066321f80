// The outline of a skin glyph as horizontal runs of opaque pixels, one rectangle per run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace ss {

// A rectangle in glyph pixels; right and bottom lie outside it.
struct RunRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  bool operator==(const RunRect&) const = default;
};

// Appends the runs of one glyph row (`width` colours 0x00BBGGRR) at row `y`. A pixel of
// exactly `transparent` ends a run, and so does the last column whatever its colour: that
// column never belongs to the outline.
void AppendRowRuns(const std::uint32_t* row, int width, int y, std::uint32_t transparent,
                   std::vector<RunRect>& out);

// Every run of a glyph whose pixels are given top row first, `width` per row, from top to
// bottom and left to right. Nothing for a width or height below 1; raises
// std::invalid_argument when `pixels` holds fewer than width x height colours.
std::vector<RunRect> OutlineRuns(std::span<const std::uint32_t> pixels, int width, int height,
                                 std::uint32_t transparent);

}  // namespace ss
