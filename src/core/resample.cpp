// Separable resampling with fixed-point weights, the key colour's pixels as transparent ones:
// every pixel carries an opacity (0 for the key, 1 otherwise) beside its colour times that.
#include "core/resample.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "core/errors.h"
#include "core/image_header.h"

namespace ss {

namespace {

// Weights in 1/65536, one axis's summing to exactly kOne for every output pixel: the sums of a
// solid area are its colour times its opacity exactly, whole numbers all the way through.
constexpr int kWeightBits = 16;
constexpr std::int32_t kOne = 1 << kWeightBits;

constexpr std::uint32_t kColourBits = 0xFFFFFF;

// The source pixels that make each output pixel along one axis, and their weights.
struct AxisFilter {
  struct Taps {
    int first = 0;       // the first source pixel
    int count = 0;       // how many follow from there
    std::size_t at = 0;  // where their weights start in `weights`
  };
  std::vector<Taps> taps;
  std::vector<std::int32_t> weights;

  // Adds an output pixel from `count` weights in any unit; they are scaled to sum to kOne,
  // the rounding remainder going to the largest so that none turns sign.
  void add(int first, const double* raw, int count) {
    double total = 0;
    for (int i = 0; i < count; ++i) total += raw[i];
    const std::size_t at = weights.size();
    std::int32_t sum = 0;
    int largest = 0;
    for (int i = 0; i < count; ++i) {
      const auto w = static_cast<std::int32_t>(std::lround(raw[i] / total * kOne));
      weights.push_back(w);
      sum += w;
      if (raw[i] > raw[largest]) largest = i;
    }
    weights[at + static_cast<std::size_t>(largest)] += kOne - sum;
    taps.push_back({first, count, at});
  }
};

// The Mitchell-Netravali cubic with B = C = 1/3: smooth, with small negative lobes that keep
// edges crisp without visible ringing. Its integer translates sum to one.
double Mitchell(double x) {
  x = std::fabs(x);
  if (x < 1) return (7 * x * x * x - 12 * x * x + 16.0 / 3) / 6;
  if (x < 2) return (-7.0 / 3 * x * x * x + 12 * x * x - 20 * x + 32.0 / 3) / 6;
  return 0;
}

// Each output pixel's box [i * from, (i + 1) * from) in units of 1 / to, weighed by how much of
// each source pixel it covers: exact in integers, fractional edges included.
AxisFilter Shrinking(int from, int to) {
  AxisFilter filter;
  std::vector<double> raw;
  for (std::int64_t i = 0; i < to; ++i) {
    const std::int64_t start = i * from, end = (i + 1) * from;
    const auto first = static_cast<int>(start / to);
    const auto last = static_cast<int>((end - 1) / to);
    raw.clear();
    for (std::int64_t k = first; k <= last; ++k) {
      raw.push_back(static_cast<double>(std::min((k + 1) * to, end) - std::max(k * to, start)));
    }
    filter.add(first, raw.data(), static_cast<int>(raw.size()));
  }
  return filter;
}

// Four taps around each output pixel's centre mapped into the source; taps past an edge repeat
// the edge pixel, merged into its weight.
AxisFilter Enlarging(int from, int to) {
  AxisFilter filter;
  for (int i = 0; i < to; ++i) {
    const double centre = (i + 0.5) * from / to - 0.5;
    const auto base = static_cast<int>(std::floor(centre));
    std::array<double, 4> raw{};
    const int first = std::clamp(base - 1, 0, from - 1);
    int count = 0;
    for (int j = -1; j <= 2; ++j) {
      // The clamped indices run first, first + 1, ... with repeats at the edges.
      const int index = std::clamp(base + j, 0, from - 1);
      count = index - first + 1;
      raw[static_cast<std::size_t>(count - 1)] += Mitchell(base + j - centre);
    }
    filter.add(first, raw.data(), count);
  }
  return filter;
}

AxisFilter Unchanged(int length) {
  AxisFilter filter;
  const double one = 1;
  for (int i = 0; i < length; ++i) filter.add(i, &one, 1);
  return filter;
}

AxisFilter Filter(int from, int to) {
  if (to < from) return Shrinking(from, to);
  if (to > from) return Enlarging(from, to);
  return Unchanged(to);
}

// One source row filtered along the width: per output pixel the three channels times the
// opacity and, with a key, the opacity, in 1/kOne. Without a key every pixel is opaque, so the
// opacity is left out: a quarter less work, and no division later.
template <int kChannels>
class RowFilter {
 public:
  RowFilter(const PixelImage& source, const AxisFilter& across, std::optional<std::uint32_t> key)
      : source_(source),
        across_(across),
        key_(key),
        unpacked_(kChannels * static_cast<std::size_t>(source.width)) {}

  void run(int y, std::int32_t* out) {
    // Unpacked first, so the taps below multiply and add without a branch.
    const std::uint32_t* row = source_.pixels.data() + static_cast<std::size_t>(y) * source_.width;
    for (int x = 0; x < source_.width; ++x) {
      const std::uint32_t p = row[x];
      std::int32_t* q = unpacked_.data() + kChannels * static_cast<std::size_t>(x);
      const bool clear = kChannels == 4 && (p & kColourBits) == *key_;
      q[0] = clear ? 0 : static_cast<std::int32_t>(p & 0xFF);
      q[1] = clear ? 0 : static_cast<std::int32_t>((p >> 8) & 0xFF);
      q[2] = clear ? 0 : static_cast<std::int32_t>((p >> 16) & 0xFF);
      if constexpr (kChannels == 4) q[3] = clear ? 0 : 1;
    }
    for (const AxisFilter::Taps& t : across_.taps) {
      std::int32_t sum[kChannels] = {};
      const std::int32_t* w = across_.weights.data() + t.at;
      const std::int32_t* q = unpacked_.data() + kChannels * static_cast<std::size_t>(t.first);
      for (int k = 0; k < t.count; ++k, q += kChannels) {
        for (int c = 0; c < kChannels; ++c) sum[c] += w[k] * q[c];
      }
      for (int c = 0; c < kChannels; ++c) out[c] = sum[c];
      out += kChannels;
    }
  }

 private:
  const PixelImage& source_;
  const AxisFilter& across_;
  std::optional<std::uint32_t> key_;
  std::vector<std::int32_t> unpacked_;
};

// A channel's sum times the reciprocal of its opacity, rounded and clamped to a byte.
std::uint32_t Channel(double sum, double reciprocal) {
  const double value = sum * reciprocal;
  if (value <= 0) return 0;
  return value >= 255 ? 255 : static_cast<std::uint32_t>(value + 0.5);
}

// Both passes: source rows filtered across once each (kept while output rows need them), then
// down into `result`.
template <int kChannels>
void Filter2d(const PixelImage& source, const AxisFilter& across, const AxisFilter& down,
              std::optional<std::uint32_t> key, PixelImage& result) {
  RowFilter<kChannels> rowFilter(source, across, key);
  const std::size_t rowValues = static_cast<std::size_t>(result.width) * kChannels;

  // The last four filtered source rows, by row number modulo 4: an output row takes at most
  // four consecutive rows when growing, and shares at most its first with the previous output
  // row when shrinking, so every source row is filtered once.
  std::vector<std::int32_t> cache(4 * rowValues);
  std::array<int, 4> cached{-1, -1, -1, -1};
  // Doubles hold these sums exactly (whole numbers below 2^42), and their products vectorise
  // where 64-bit integers would not.
  std::vector<double> sums(rowValues);

  constexpr double kFull = double{kOne} * kOne;
  const std::uint32_t keyValue = key.value_or(0);
  std::uint32_t* out = result.pixels.data();
  for (const AxisFilter::Taps& t : down.taps) {
    std::fill(sums.begin(), sums.end(), 0.0);
    for (int k = 0; k < t.count; ++k) {
      const int y = t.first + k;
      const std::size_t slot = static_cast<std::size_t>(y % 4);
      std::int32_t* row = cache.data() + slot * rowValues;
      if (cached[slot] != y) {
        rowFilter.run(y, row);
        cached[slot] = y;
      }
      const double w = down.weights[t.at + static_cast<std::size_t>(k)];
      for (std::size_t i = 0; i < rowValues; ++i) sums[i] += w * row[i];
    }
    for (std::size_t i = 0; i < rowValues; i += kChannels) {
      double reciprocal = 1 / kFull;
      if constexpr (kChannels == 4) {
        const double opacity = sums[i + 3];
        // Less than half covered by the picture: a hole in it, exactly the key.
        if (2 * opacity < kFull) {
          *out++ = keyValue;
          continue;
        }
        // One division a pixel: a solid area's sums are its colour times the opacity exactly,
        // so the product lands within a rounding error of that colour.
        reciprocal = 1 / opacity;
      }
      std::uint32_t colour = Channel(sums[i], reciprocal) | Channel(sums[i + 1], reciprocal) << 8 |
                             Channel(sums[i + 2], reciprocal) << 16;
      if (kChannels == 4 && colour == keyValue) colour ^= 1;
      *out++ = colour;
    }
  }
}

}  // namespace

PixelImage Resample(const PixelImage& source, int width, int height,
                    std::optional<std::uint32_t> key) {
  PixelImage result;
  result.width = std::max(width, 0);
  result.height = std::max(height, 0);
  if (result.width == 0 || result.height == 0) return result;
  // A bitmap the launcher would refuse to load; the sides bound the rows' buffers below.
  if (width > kMaxBitmapSide || height > kMaxBitmapSide ||
      std::int64_t{width} * height > kMaxBitmapPixels) {
    throw EInvalidGraphic(kBitmapNotValid);
  }
  if (source.width < 1 || source.height < 1 ||
      source.pixels.size() !=
          static_cast<std::uint64_t>(source.width) * static_cast<std::uint64_t>(source.height)) {
    throw std::invalid_argument("Resample: the source's pixels are not its width x height");
  }
  if (width == source.width && height == source.height) return source;
  if (key) *key &= kColourBits;

  const AxisFilter across = Filter(source.width, width);
  const AxisFilter down = Filter(source.height, height);
  result.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  if (key) {
    Filter2d<4>(source, across, down, key, result);
  } else {
    Filter2d<3>(source, across, down, key, result);
  }
  return result;
}

}  // namespace ss
