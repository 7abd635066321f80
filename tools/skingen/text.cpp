// The artwork's captions shaped by HarfBuzz and rendered by FreeType, with light hinting for
// crisp small text.
#include "tools/skingen/text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace ss::skingen {

namespace {

// Light hinting snaps only vertical metrics: stems stay true to the design while the
// baselines and x-heights of 8 to 12 pixel text land on whole pixels. The Tahoma of Wine's
// fonts carries 1-bit bitmaps for small sizes; the outlines give anti-aliased text instead.
constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP;

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (true) {
    const size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return lines;
    start = end + 1;
  }
}

// Walks a line of UTF-8 text glyph by glyph from the pen position `pen` (in 1/64 pixel), shaped
// in the direction its script reads and placed left to right as it is seen: `place` gets each
// loaded glyph with the pen where it starts and its own raise. Returns the pen after the line.
template <typename Place>
FT_Pos WalkLine(FT_Face face, hb_font_t* shaper, std::string_view text, FT_Pos pen, Place place) {
  hb_buffer_t* buffer = hb_buffer_create();
  hb_buffer_add_utf8(buffer, text.data(), static_cast<int>(text.size()), 0,
                     static_cast<int>(text.size()));
  hb_buffer_guess_segment_properties(buffer);
  // Pairs are kerned as GDI kerns them, by the font's kerning table rounded to whole pixels,
  // so Latin captions keep their look; joining, marks and order come from the shaper.
  static const hb_feature_t kNoKerning{HB_TAG('k', 'e', 'r', 'n'), 0, HB_FEATURE_GLOBAL_START,
                                       HB_FEATURE_GLOBAL_END};
  hb_shape(shaper, buffer, &kNoKerning, 1);
  unsigned int count = 0;
  const hb_glyph_info_t* glyphs = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t* places = hb_buffer_get_glyph_positions(buffer, &count);
  FT_UInt previous = 0;
  for (unsigned int i = 0; i < count; ++i) {
    const FT_UInt glyph = glyphs[i].codepoint;
    if (previous && glyph && FT_HAS_KERNING(face)) {
      FT_Vector kern{};
      FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kern);
      pen += kern.x;
    }
    previous = glyph;
    if (FT_Load_Glyph(face, glyph, kLoadFlags) != 0) continue;
    place(face->glyph, pen + places[i].x_offset, places[i].y_offset);
    // Each glyph advances by its hinted width, whole pixels as GDI advances, changed only as
    // far as the shaper changed it: a mark placed on its base advances by nothing. Neither
    // emboldening nor rendering changed the advance.
    const hb_position_t nominal = hb_font_get_glyph_h_advance(shaper, glyph);
    pen += places[i].x_advance == 0 ? 0 : face->glyph->advance.x + places[i].x_advance - nominal;
  }
  hb_buffer_destroy(buffer);
  return pen;
}

}  // namespace

struct Font::Impl {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  hb_font_t* shaper = nullptr;
  ~Impl() {
    if (shaper) hb_font_destroy(shaper);
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

Font::Font(const std::string& path, int size, float embolden, float scale)
    : impl_(std::make_unique<Impl>()),
      pixelSize_(static_cast<int>(std::lround(size * scale))),
      scale_(scale),
      embolden_(std::lround(embolden * scale * 64)) {
  if (FT_Init_FreeType(&impl_->library) != 0) throw std::runtime_error("FreeType failed to start");
  if (FT_New_Face(impl_->library, path.c_str(), 0, &impl_->face) != 0) {
    throw std::runtime_error("cannot load the font " + path);
  }
  FT_Set_Pixel_Sizes(impl_->face, 0, static_cast<FT_UInt>(pixelSize_));
  // The shaper measures with the same hinted advances the glyphs are drawn with.
  impl_->shaper = hb_ft_font_create_referenced(impl_->face);
  hb_ft_font_set_load_flags(impl_->shaper, kLoadFlags);
  if (FT_Load_Char(impl_->face, 'H', kLoadFlags) == 0) {
    capHeight_ = static_cast<int>((impl_->face->glyph->metrics.horiBearingY + 32) >> 6);
  }
}

Font::~Font() = default;

int Font::lineHeight() const {
  return static_cast<int>((impl_->face->size->metrics.height + 63) >> 6);
}

int Font::measure(std::string_view text) const {
  const FT_Pos pen =
      WalkLine(impl_->face, impl_->shaper, text, 0, [](FT_GlyphSlot, FT_Pos, FT_Pos) {});
  return static_cast<int>((pen + 32) >> 6);
}

void Font::draw(Mask& mask, std::string_view text, int x, int y) const {
  const auto drawGlyph = [&](FT_GlyphSlot slot, FT_Pos pen, FT_Pos raise) {
    // The bold Tahoma of Wine's fonts has strokes barely heavier than the regular one at
    // caption sizes; thickening the outline gives captions the weight a bold face should have.
    if (embolden_ && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
      FT_Outline_Embolden(&slot->outline, embolden_);
    }
    // Each glyph starts on a whole pixel, as GDI places them, so stems stay sharp.
    const int originX = static_cast<int>((pen + 32) >> 6);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0 &&
        slot->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
      const FT_Bitmap& bitmap = slot->bitmap;
      mask.addBitmap(bitmap.buffer, static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows),
                     bitmap.pitch, originX + slot->bitmap_left,
                     y - static_cast<int>((raise + 32) >> 6) - slot->bitmap_top);
    }
  };
  WalkLine(impl_->face, impl_->shaper, text, static_cast<FT_Pos>(x) << 6, drawGlyph);
}

namespace {

struct Block {
  std::vector<std::string_view> lines;
  std::vector<int> widths;
  int top = 0;
  int lineStep = 0;
};

// A box in design units as pixels of the font's scale.
Rect InPixels(Rect box, float scale) {
  return {box.x * scale, box.y * scale, box.w * scale, box.h * scale};
}

// The lines laid out in pixels, in a box in pixels.
Block Layout(const Font& font, std::string_view text, Rect box, int lineGap) {
  Block block;
  block.lines = SplitLines(text);
  for (std::string_view line : block.lines) block.widths.push_back(font.measure(line));
  // The block is centred on its capitals, which looks centred to the eye, where the font's
  // full ascent and descent would set it visibly high.
  block.lineStep = font.lineHeight() + lineGap;
  const int capHeight = font.capHeight();
  const int blockHeight = static_cast<int>(block.lines.size() - 1) * block.lineStep + capHeight;
  block.top = static_cast<int>(std::lround(box.y + (box.h - blockHeight) / 2.0f));
  return block;
}

Mask DrawBlock(const Font& font, std::string_view text, Rect designBox, Align align, int lineGap,
               Rect* bounds) {
  const float scale = font.scale();
  const Rect box = InPixels(designBox, scale);
  const Block block = Layout(font, text, box, static_cast<int>(std::lround(lineGap * scale)));
  // Room around the box for glyphs that overhang it: the font's size.
  Mask mask = Mask::Around(designBox, scale, static_cast<int>(std::ceil(font.pixelSize() / scale)));
  const int capHeight = font.capHeight();
  int widest = 0;
  for (size_t i = 0; i < block.lines.size(); ++i) {
    const int width = block.widths[i];
    widest = std::max(widest, width);
    const int x = align == Align::Center
                      ? static_cast<int>(std::lround(box.x + (box.w - width) / 2.0f))
                  : align == Align::Right ? static_cast<int>(std::lround(box.right())) - width
                                          : static_cast<int>(box.x);
    const int baseline = block.top + capHeight + static_cast<int>(i) * block.lineStep;
    font.draw(mask, block.lines[i], x, baseline);
  }
  if (bounds) {
    const float height = static_cast<float>((block.lines.size() - 1) * block.lineStep + capHeight);
    const float left = align == Align::Center  ? box.x + (box.w - widest) / 2.0f
                       : align == Align::Right ? std::lround(box.right()) - widest
                                               : box.x;
    *bounds = {left / scale, block.top / scale, widest / scale, height / scale};
  }
  return mask;
}

}  // namespace

Rect DrawText(Image& image, const Font& font, std::string_view text, Rect box, Color color,
              Align align, int lineGap) {
  if (font.scale() != image.scale()) {
    throw std::logic_error("DrawText: the font is made for another scale than the image");
  }
  Rect bounds;
  const Mask mask = DrawBlock(font, text, box, align, lineGap, &bounds);
  if (std::vector<KeptDrawing>* kept = image.keptDrawings()) {
    const Align mirrored = align == Align::Left    ? Align::Right
                           : align == Align::Right ? Align::Left
                                                   : Align::Center;
    kept->push_back(
        {box, [&font, text = std::string(text), color, mirrored, lineGap](Image& into, Rect place) {
           DrawText(into, font, text, place, color, mirrored, lineGap);
         }});
  } else {
    Composite(image, mask, Solid(color));
  }
  return bounds;
}

Mask TextMask(const Font& font, std::string_view text, Rect box, Align align, int lineGap) {
  return DrawBlock(font, text, box, align, lineGap, nullptr);
}

}  // namespace ss::skingen
