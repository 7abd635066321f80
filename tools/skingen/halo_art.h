// A skin's halo: the anti-aliased rim its outline loses to the key colour and a soft shadow,
// drawn with per-pixel alpha around and under the window.
#pragma once

#include <string>

#include "tools/skingen/image_files.h"
#include "tools/skingen/skin_art.h"

namespace ss::skingen {

// The halo's margin around the window on every side, in design units: wide enough for the
// shadow's blur and its drop.
inline constexpr int kHaloMargin = 12;

// The halo of `art` (0xAARRGGBB, straight alpha), kHaloMargin times the art's scale larger than
// its glyph on every side: where the glyph keeps a pixel, that pixel's colour, opaque; elsewhere
// the outline's exact coverage in the edge colour over a blurred, lowered, faint dark copy of
// the outline.
Pixels RenderHalo(const SkinArt& art);

// A 32-bit bottom-up bitmap file with an alpha channel: a 108-byte header with bit fields whose
// alpha mask is 0xFF000000.
std::string EncodeAlphaBmp(const Pixels& pixels);

}  // namespace ss::skingen
