// Drawings shared by both skins and the icon: the palette, the logo, the tool icons and the
// small symbols of the title and link buttons.
#pragma once

#include "tools/skingen/raster.h"
#include "tools/skingen/text.h"

namespace ss::skingen {

// The accent pairs (light top, dark bottom) of the four big buttons.
struct Accent {
  Color top;
  Color bottom;
  Color mid() const { return Mix(top, bottom, 0.5f); }
};
Accent FileAccent();
Accent VideoAccent();
Accent MusicAccent();
Accent ToolsAccent();
Accent BrandAccent();

// What a tool icon shows on its disc.
enum class ToolSymbol { FileDisc, VideoDisc, MusicDisc, MoreTools };

// What a big button shows besides its caption: its accent and its icon's symbol.
struct ToolCard {
  Accent accent;
  ToolSymbol symbol;
};
// The cards of Button1 (file disc writer), Button2 (video disc writer), Button3 (the music
// menu) and ButtonMoreTools (the tools menu), by index 0 to 3.
ToolCard BigButtonCard(int index);

// The product's logo, a silver disc on a rounded brand tile, filling the square `box`.
void DrawLogo(Image& image, Rect box);
// A disc seen from above: silver with a soft sheen, a hub and a hole of `hole` colour.
void DrawDisc(Image& image, float cx, float cy, float radius, Color hole);
// A tool icon: a rounded tile in the accent's colours with a white disc and a badge; kept
// unmirrored on an image that keeps drawings.
void DrawToolIcon(Image& image, Rect box, const Accent& accent, ToolSymbol symbol);

// Small symbols drawn in one colour, centred in `box`.
void DrawMinus(Image& image, Rect box, Color color);
void DrawCross(Image& image, Rect box, Color color);
void DrawHouse(Image& image, Rect box, Color color, Color door);
void DrawStar(Image& image, Rect box, Color color);
// A round badge with a letter knocked out of it ("?" or "i").
void DrawLetterBadge(Image& image, Rect box, const Font& font, const char* letter, Color badge,
                     Color letterColor);

}  // namespace ss::skingen
