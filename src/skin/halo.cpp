// The halo's margin rules, its premultiplication and resampling, and its preparation.
#include "skin/halo.h"

#include <algorithm>
#include <cstdint>

#include "core/errors.h"
#include "core/file_read.h"
#include "skin/skin_scale.h"

namespace ss {

namespace {

// The file header and the largest information header: enough to read a bitmap's size.
constexpr std::size_t kHeaderBytes = 14 + 124;

std::uint32_t Channel(std::uint32_t color, int index) {
  return color >> (8 * index) & 0xFF;
}

}  // namespace

int HaloMargin(BitmapSize halo, BitmapSize main) {
  const int across = halo.width - main.width;
  const int down = halo.height - main.height;
  if (across != down || across % 2 != 0 || across < 2 || across > 2 * kMaxHaloMargin) {
    throw EInvalidGraphic(kBitmapNotValid);
  }
  return across / 2;
}

PixelImage Premultiply(PixelImage image) {
  for (std::uint32_t& pixel : image.pixels) {
    const std::uint32_t alpha = Channel(pixel, 3);
    std::uint32_t out = alpha << 24;
    for (int c = 0; c < 3; ++c) out |= (Channel(pixel, c) * alpha + 127) / 255 << (8 * c);
    pixel = out;
  }
  return image;
}

PixelImage ResamplePremultiplied(const PixelImage& source, int width, int height) {
  // Premultiplied colours blend linearly, so the colours and the alpha resample on their own:
  // the alpha goes through as a grey picture.
  PixelImage alpha = source;
  for (std::uint32_t& pixel : alpha.pixels) pixel = Channel(pixel, 3) * 0x010101u;
  PixelImage colors = Resample(source, width, height, std::nullopt);
  alpha = Resample(alpha, width, height, std::nullopt);
  for (std::size_t i = 0; i < colors.pixels.size(); ++i) {
    const std::uint32_t a = Channel(alpha.pixels[i], 0);
    std::uint32_t out = a << 24;
    for (int c = 0; c < 3; ++c) out |= std::min(Channel(colors.pixels[i], c), a) << (8 * c);
    colors.pixels[i] = out;
  }
  return colors;
}

std::optional<HaloPicture> PrepareHalo(const std::string& folder, const SkinVariants& variants,
                                       const std::string& mainFile, int dpi,
                                       const std::vector<SkinLanguageFolder>& languages) {
  std::string haloHeader;
  try {
    haloHeader = ReadFileStart(folder + kHaloFile, kHeaderBytes);
  } catch (const EFOpenError&) {
    return std::nullopt;
  }
  const BitmapSize main = BitmapFileSize(ReadFileStart(folder + mainFile, kHeaderBytes));
  HaloMargin(BitmapFileSize(haloHeader), main);
  HaloPicture halo;
  halo.pixels =
      PrepareSkinFile(folder, variants, {kHaloFile, std::nullopt, false, true}, dpi, languages);
  // The halo's size at the DPI is rounded on its own: any odd pixel goes right and down.
  halo.left = (halo.pixels.width - ScaleToDpi(main.width, dpi)) / 2;
  halo.top = (halo.pixels.height - ScaleToDpi(main.height, dpi)) / 2;
  return halo;
}

}  // namespace ss
