// The skin of the design layout: 444 x 217, a dark title bar and footer around a light body
// with four tool cards, every picture at its button's design size.
#include <cmath>
#include <string>

#include "tools/skingen/art_kit.h"
#include "tools/skingen/skin_art.h"

namespace ss::skingen {

namespace {

using main_window::ButtonId;
using main_window::kButtons;

constexpr float kHeaderBottom = 34;
constexpr float kFooterTop = 178;

const Color kEdge = Hex(0x0D1524);
const Color kInk = Hex(0x1E2A3B);

Rect ButtonRect(ButtonId id) {
  const auto& b = kButtons[static_cast<size_t>(id)];
  return {static_cast<float>(b.left), static_cast<float>(b.top), static_cast<float>(b.width),
          static_cast<float>(b.height)};
}

// The cards sit on an even pitch of 101 pixels, each inside its own button although the
// buttons' design gaps are uneven (2, 5 and -1 pixels).
Rect CardRect(int index) {
  return {23.0f + 101.0f * index, 43, 96, 102};
}

void DrawBackground(Image& image, const Fonts& fonts) {
  const float w = image.area().w, h = image.area().h;
  Fill(image, RoundRect({0, 0, w, h}, 0), {0, 0, w, h},
       VerticalStops(kHeaderBottom, kFooterTop, {{0, Hex(0xF6F8FB)}, {1, Hex(0xE3E8F0)}}));
  // Title bar with a soft sheen and a brand-coloured rule beneath it.
  const Rect header{0, 0, w, kHeaderBottom};
  Fill(image, RoundRect(header, 0), header,
       VerticalStops(0, kHeaderBottom, {{0, Hex(0x2A3D5E)}, {1, Hex(0x1B2842)}}));
  Fill(image, RoundRect({0, 1, w, 1}, 0), header, Solid(Hex(0xFFFFFF, 0.10f)));
  const Accent brand = BrandAccent();
  Fill(image, RoundRect({0, kHeaderBottom, w, 2}, 0), {0, kHeaderBottom, w, 2},
       Linear(0, 0, brand.top, w, 0, Hex(0x35C3E8)));
  DrawLogo(image, {9, 6, 22, 22});
  DrawText(image, fonts.title, "Kestrel Disc Suite", {38, 0, 200, kHeaderBottom}, Hex(0xFFFFFF),
           Align::Left);

  // The info line's calm strip, the full width of the window: the launcher writes its text at
  // (16, 160), and the longest hover text runs almost to the right edge.
  const Rect strip{0, 153, w, kFooterTop - 153};
  Fill(image, RoundRect(strip, 0), strip,
       VerticalStops(strip.y, strip.bottom(), {{0, Hex(0xFBFCFE)}, {1, Hex(0xF1F4F8)}}));
  Fill(image, RoundRect({0, strip.y, w, 1}, 0), strip, Solid(Hex(0xD3DAE4)));

  const Rect footer{0, kFooterTop, w, h - kFooterTop};
  Fill(image, RoundRect(footer, 0), footer,
       VerticalStops(kFooterTop, h, {{0, Hex(0x1E2C47)}, {1, Hex(0x141E33)}}));
  Fill(image, RoundRect({0, kFooterTop, w, 1}, 0), footer, Solid(Hex(0x0D1524)));
  Fill(image, RoundRect({0, kFooterTop + 1, w, 1}, 0), footer, Solid(Hex(0xFFFFFF, 0.07f)));
}

void DrawCard(Image& image, const Fonts& fonts, int index, Look look, const ToolCard& tool) {
  const Accent& accent = tool.accent;
  const Rect card = CardRect(index);
  const Shape shape = RoundRect(card, 9);
  const int shift = look == Look::MouseDown ? 1 : 0;
  if (look == Look::Normal) {
    Shadow(image, shape, card, Hex(0x1B2C4A, 0.16f), 3, 0, 1);
  } else if (look == Look::MouseOn) {
    Shadow(image, shape, card, WithAlpha(accent.bottom, 0.35f), 4, 0, 1);
  }
  const Color fillTop = look == Look::Normal    ? Hex(0xFFFFFF)
                        : look == Look::MouseOn ? Mix(Hex(0xFFFFFF), accent.top, 0.08f)
                                                : Mix(Hex(0xFFFFFF), accent.bottom, 0.16f);
  const Color fillBottom = look == Look::Normal    ? Hex(0xF3F6FA)
                           : look == Look::MouseOn ? Mix(Hex(0xFFFFFF), accent.top, 0.16f)
                                                   : Mix(Hex(0xFFFFFF), accent.bottom, 0.22f);
  Fill(image, shape, card, Linear(0, card.y, fillTop, 0, card.bottom(), fillBottom));
  if (look == Look::MouseDown) {
    // Pressed in: a shade along the top inside edge.
    Mask inner = Mask::Around(card, image.scale(), 2);
    inner.add(InnerStroke(shape, 3)).blur(2).clip(shape);
    Composite(image, inner, Solid(Hex(0x10203C, 0.22f)), 1, 0, 1);
  }
  const Color border = look == Look::Normal ? Hex(0xC9D2DE) : accent.mid();
  Fill(image, InnerStroke(shape, look == Look::Normal ? 1.0f : 1.5f), card, Solid(border));

  const Rect icon{card.x + 25 + shift, card.y + 13 + shift, 46, 46};
  DrawToolIcon(image, icon, accent, tool.symbol);
  const Color text = look == Look::Normal ? kInk : Shade(accent.bottom, -0.25f);
  DrawText(image, fonts.caption, fonts.words.cards[index],
           {card.x + shift, card.y + 64.0f + shift, card.w, 28}, text, Align::Center, 1);
}

void DrawTitleButton(Image& image, ButtonId id, Look look) {
  const Rect b = ButtonRect(id);
  const bool close = id == ButtonId::Close;
  // The two buttons overlap by two columns, so each pill keeps clear of the shared ones.
  const Rect pill = close ? Rect{b.x + 2.5f, b.y + 1, b.w - 4, b.h - 2}
                          : Rect{b.x + 1, b.y + 1, b.w - 4.5f, b.h - 2};
  if (look != Look::Normal) {
    const Color fill = close
                           ? (look == Look::MouseOn ? Hex(0xE54848) : Hex(0xB92F35))
                           : (look == Look::MouseOn ? Hex(0xFFFFFF, 0.16f) : Hex(0x000000, 0.28f));
    Fill(image, RoundRect(pill, 4), pill, Solid(fill));
  }
  const Color glyph = look == Look::Normal ? Hex(0xC3CEDF) : Hex(0xFFFFFF);
  const Rect glyphBox =
      pill.moved(look == Look::MouseDown ? 1 : 0, look == Look::MouseDown ? 1 : 0);
  if (close) {
    DrawCross(image, glyphBox, glyph);
  } else {
    DrawMinus(image, glyphBox, glyph);
  }
}

void DrawLinkButton(Image& image, const Fonts& fonts, ButtonId id, Look look) {
  const Rect b = ButtonRect(id);
  const Rect pill{b.x + 3, b.y + 4, b.w - 6, b.h - 8};
  if (look != Look::Normal) {
    const Color fill = look == Look::MouseOn ? Hex(0xFFFFFF, 0.12f) : Hex(0x000000, 0.30f);
    Fill(image, RoundRect(pill, 6), pill, Solid(fill));
    Fill(image, InnerStroke(RoundRect(pill, 6), 1), pill,
         Solid(Hex(0xFFFFFF, look == Look::MouseOn ? 0.14f : 0.05f)));
  }
  const Wording& words = fonts.words;
  const std::string& caption = id == ButtonId::Help    ? words.help
                               : id == ButtonId::About ? words.about
                               : id == ButtonId::Home  ? words.home
                                                       : words.moreFreeTools;
  const int shift = look == Look::MouseDown ? 1 : 0;
  const Color text = look == Look::Normal ? Hex(0xCBD5E4) : Hex(0xFFFFFF);
  const Color iconColor = look == Look::Normal ? Hex(0x8FB8F5) : Hex(0xBFD8FF);
  const float textWidth = fonts.label.designWidth(caption);
  const float iconSide = 14, gap = 6;
  const float left = pill.x + (pill.w - iconSide - gap - textWidth) / 2 + shift;
  const Rect iconBox{std::floor(left), pill.centerY() - iconSide / 2 + shift, iconSide, iconSide};
  const Color footer = Hex(0x19263F);
  switch (id) {
    case ButtonId::Help:
      DrawLetterBadge(image, iconBox, fonts.glyph, "?", iconColor, footer);
      break;
    case ButtonId::About:
      DrawLetterBadge(image, iconBox, fonts.glyph, "i", iconColor, footer);
      break;
    case ButtonId::Home:
      DrawHouse(image, iconBox, iconColor, footer);
      break;
    default:
      DrawStar(image, iconBox, Hex(0xFFC94D));
      break;
  }
  DrawText(image, fonts.label, caption,
           {iconBox.right() + gap, pill.y + shift, textWidth + 2, pill.h}, text, Align::Left);
}

}  // namespace

SkinArt DefaultSkinArt(const Fonts& fonts) {
  SkinArt art;
  art.folder = "default";
  art.language = fonts.words.tag;
  art.mirrored = fonts.words.rightToLeft;
  art.scale = fonts.scale;
  art.width = main_window::kDesignClientWidth;
  art.height = main_window::kDesignClientHeight;
  // The launcher's outline never takes the glyph's rightmost column, so the shape ends before it.
  art.outline =
      RoundRect({0, 0, static_cast<float>(art.width - 1), static_cast<float>(art.height)}, 12);
  art.edge = kEdge;
  art.background = [&fonts](Image& image) { DrawBackground(image, fonts); };

  for (size_t i = 0; i < kButtons.size(); ++i) {
    const auto& b = kButtons[i];
    ButtonArt& button = art.buttons[i];
    button.left = b.left;
    button.top = b.top;
    button.width = b.width;
    button.height = b.height;
    const ButtonId id = b.id;
    switch (id) {
      case ButtonId::Min:
      case ButtonId::Close:
        button.draw = [id](Image& image, Look look) { DrawTitleButton(image, id, look); };
        break;
      case ButtonId::One:
      case ButtonId::Two:
      case ButtonId::Three:
      case ButtonId::MoreTools: {
        const int index = static_cast<int>(id) - static_cast<int>(ButtonId::One);
        button.draw = [&fonts, index](Image& image, Look look) {
          DrawCard(image, fonts, index, look, BigButtonCard(index));
        };
        break;
      }
      default:
        button.draw = [&fonts, id](Image& image, Look look) {
          DrawLinkButton(image, fonts, id, look);
        };
        break;
    }
  }
  return art;
}

}  // namespace ss::skingen
