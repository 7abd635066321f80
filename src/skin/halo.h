// A skin's halo: the picture, with per-pixel alpha, of the smooth rim and the soft shadow
// around and under the shaped main window, which a window of its own shows behind it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/image_header.h"
#include "skin/resample.h"
#include "skin/skin_files.h"

namespace ss {

// The halo's file in a skin folder, and the widest margin it may have around the main
// picture, in 96-DPI pixels.
inline constexpr const char* kHaloFile = "halo.bmp";
inline constexpr int kMaxHaloMargin = 64;

// The margin of a halo of size `halo` around a main picture of size `main` (both at 96 DPI):
// half the difference of the widths, which must equal half that of the heights. Raises
// EInvalidGraphic "Bitmap image is not valid" unless the halo is larger by the same whole
// margin, 1 to kMaxHaloMargin, on every side.
int HaloMargin(BitmapSize halo, BitmapSize main);

// Straight-alpha colours 0xAABBGGRR premultiplied: each colour channel times alpha / 255,
// rounded.
PixelImage Premultiply(PixelImage image);

// A premultiplied picture resampled as Resample does, its alpha alongside its colours, so that
// transparent pixels lend their neighbours no colour; no channel comes out above its alpha.
PixelImage ResamplePremultiplied(const PixelImage& source, int width, int height);

// A halo as a window at some DPI shows it.
struct HaloPicture {
  PixelImage pixels;  // premultiplied 0xAABBGGRR
  int left = 0;       // where the main window's top-left corner lies in it
  int top = 0;
};

// The halo of the skin in `folder` around its picture `mainFile` at `dpi`: its variants and
// language folders taken as PrepareSkinFile takes them. nullopt when the skin has no halo;
// raises as PrepareSkinFile and HaloMargin for a halo that is damaged, has no alpha channel or
// does not fit the main picture.
std::optional<HaloPicture> PrepareHalo(const std::string& folder, const SkinVariants& variants,
                                       const std::string& mainFile, int dpi,
                                       const std::vector<SkinLanguageFolder>& languages = {});

}  // namespace ss
