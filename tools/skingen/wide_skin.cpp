// The skin of the alternative layout.
#include "tools/skingen/art_kit.h"
#include "tools/skingen/skin_art.h"

namespace ss::skingen {

SkinArt WideSkinArt(const Fonts& fonts) {
  SkinArt art = DefaultSkinArt(fonts);
  art.folder = "wide";
  return art;
}

}  // namespace ss::skingen
