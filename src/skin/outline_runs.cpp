#include "skin/outline_runs.h"

#include <stdexcept>

namespace ss {

void AppendRowRuns(const std::uint32_t* row, int width, int y, std::uint32_t transparent,
                   std::vector<RunRect>& out) {
  bool open = false;
  int start = 0;
  int end = 0;
  const int last = width - 1;
  for (int x = 0; x < width; ++x) {
    // The last column closes the row's run without joining it, so skins cut one column short.
    if (row[x] == transparent || x == last) {
      if (open) {
        out.push_back(RunRect{start, y, end + 1, y + 1});
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

std::vector<RunRect> OutlineRuns(std::span<const std::uint32_t> pixels, int width, int height,
                                 std::uint32_t transparent) {
  std::vector<RunRect> runs;
  if (width < 1 || height < 1) return runs;
  const std::size_t w = static_cast<std::size_t>(width);
  if (pixels.size() / w < static_cast<std::size_t>(height)) {
    throw std::invalid_argument("OutlineRuns: fewer pixels than width x height");
  }
  for (int y = 0; y < height; ++y) {
    AppendRowRuns(pixels.data() + static_cast<std::size_t>(y) * w, width, y, transparent, runs);
  }
  return runs;
}

}  // namespace ss
