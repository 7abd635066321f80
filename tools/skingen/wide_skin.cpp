// The skin of the alternative layout: a 576 x 440 dark window whose four tool cards circle a
// calm panel where the launcher writes its white info text; the brand plate in the top-left
// corner is the Home button, and small round title buttons sit in the top-right corner.
#include <cmath>
#include <string>

#include "tools/skingen/art_kit.h"
#include "tools/skingen/skin_art.h"

namespace ss::skingen {

namespace {

using main_window::ButtonId;
using main_window::kButtons;

constexpr int kWidth = 576;
constexpr int kHeight = 440;
// The centre of the info box, which the cards circle.
constexpr float kHubX = 292.5f;
constexpr float kHubY = 148.5f;

const Color kEdge = Hex(0x080D18);

// The size each button takes from its normal picture when the layout switches AutoSize on.
struct Size {
  int width, height;
};
Size PictureSize(ButtonId id) {
  switch (id) {
    case ButtonId::Min:
      return {18, 19};
    case ButtonId::Close:
      return {18, 18};
    case ButtonId::Help:
      return {14, 18};
    case ButtonId::About:
      return {15, 18};
    case ButtonId::Home:
      return {200, 58};
    case ButtonId::MoreFreeTools:
      return {124, 30};
    default:
      return {104, 112};
  }
}

Rect ButtonRect(ButtonId id) {
  const auto& b = kButtons[static_cast<size_t>(id)];
  const Size size = PictureSize(id);
  return {static_cast<float>(b.altLeft), static_cast<float>(b.altTop),
          static_cast<float>(size.width), static_cast<float>(size.height)};
}

void DrawBackground(Image& image) {
  const Rect all{0, 0, kWidth, kHeight};
  Fill(image, RoundRect(all, 0), all,
       VerticalStops(0, kHeight, {{0, Hex(0x1D2D4B)}, {1, Hex(0x0E1628)}}));
  // A soft light behind the hub, and the orbit the cards ride on.
  Fill(image, Circle(kHubX, kHubY, 330), all,
       Radial(kHubX, kHubY, 330, Hex(0x2E4D7E, 0.55f), Hex(0x2E4D7E, 0.0f)));
  for (const float radius : {96.0f, 150.0f, 207.0f, 264.0f}) {
    Fill(image, Stroke(Circle(kHubX, kHubY, radius), 1.2f), all,
         Solid(Hex(0xFFFFFF, radius == 207.0f ? 0.10f : 0.045f)));
  }
  // The suite's disc at the left, resting in a glow.
  Shadow(image, Circle(96, 180, 64), {32, 116, 128, 128}, Hex(0x4A8CF0, 0.35f), 14);
  DrawDisc(image, 96, 180, 64, Hex(0x16223A));

  // The info panel: the launcher wraps its white text into (184, 120, 217, 57).
  const Rect panel{174, 106, 237, 82};
  Shadow(image, RoundRect(panel, 12), panel, Hex(0x000000, 0.35f), 6, 0, 2);
  Fill(image, RoundRect(panel, 12), panel,
       VerticalStops(panel.y, panel.bottom(), {{0, Hex(0x15223A)}, {1, Hex(0x111B2F)}}));
  Fill(image, InnerStroke(RoundRect(panel, 12), 1), panel, Solid(Hex(0xFFFFFF, 0.12f)));
}

void DrawBrand(Image& image, const Fonts& fonts, Look look) {
  const Rect plate = ButtonRect(ButtonId::Home);
  const Shape shape = RoundRect4(plate, 0, 0, 18, 0);
  const Accent brand = BrandAccent();
  const float tone = look == Look::Normal ? 0 : look == Look::MouseOn ? 0.12f : -0.18f;
  Fill(image, shape, plate,
       Linear(0, 0, Shade(brand.top, tone), 0, plate.bottom(), Shade(brand.bottom, tone)));
  Fill(image, RoundRect({0, 0, plate.w, 1}, 0), plate, Solid(Hex(0xFFFFFF, 0.18f)));
  const int shift = look == Look::MouseDown ? 1 : 0;
  DrawLogo(image, {12.0f + shift, 12.0f + shift, 34, 34});
  DrawText(image, fonts.title, "Kestrel Disc Suite", {54.0f + shift, 13.0f + shift, 140, 16},
           Hex(0xFFFFFF), Align::Left);
  DrawText(image, fonts.label, fonts.words.homePage, {54.0f + shift, 31.0f + shift, 140, 14},
           look == Look::Normal ? Hex(0xCFE0FF) : Hex(0xFFFFFF), Align::Left);
}

void DrawCard(Image& image, const Fonts& fonts, ButtonId id, Look look, const ToolCard& tool,
              const std::string& caption) {
  const Accent& accent = tool.accent;
  const Rect card = ButtonRect(id).inset(2);
  const Shape shape = RoundRect(card, 12);
  const int shift = look == Look::MouseDown ? 1 : 0;
  Shadow(image, shape, card, Hex(0x000000, look == Look::MouseDown ? 0.2f : 0.35f), 3, 0, 1);
  if (look == Look::Normal) {
    Fill(image, shape, card, Linear(0, card.y, Hex(0x2A3D5F), 0, card.bottom(), Hex(0x1B2944)));
    Fill(image, InnerStroke(shape, 1), card, Solid(Hex(0xFFFFFF, 0.14f)));
  } else {
    const float strength = look == Look::MouseOn ? 0.0f : -0.25f;
    Fill(image, shape, card,
         Linear(0, card.y, Shade(Mix(Hex(0x2A3D5F), accent.top, 0.55f), strength), 0, card.bottom(),
                Shade(Mix(Hex(0x1B2944), accent.bottom, 0.55f), strength)));
    Fill(image, InnerStroke(shape, 1.5f), card,
         Solid(look == Look::MouseOn ? Shade(accent.top, 0.3f) : accent.top));
  }
  const Rect icon{card.x + 25 + shift, card.y + 14 + shift, 50, 50};
  DrawToolIcon(image, icon, accent, tool.symbol);
  DrawText(image, fonts.caption, caption, {card.x + shift, card.y + 71.0f + shift, card.w, 28},
           Hex(0xFFFFFF), Align::Center, 1);
}

void DrawTitleButton(Image& image, const Fonts& fonts, ButtonId id, Look look) {
  const Rect b = ButtonRect(id);
  const float side = std::min(b.w, b.h);
  const Rect disc{b.x + (b.w - side) / 2, b.y + (b.h - side) / 2, side, side};
  const bool close = id == ButtonId::Close;
  if (look != Look::Normal) {
    const Color fill = close
                           ? (look == Look::MouseOn ? Hex(0xE5484D) : Hex(0xB92F35))
                           : (look == Look::MouseOn ? Hex(0xFFFFFF, 0.20f) : Hex(0x000000, 0.35f));
    Fill(image, Circle(disc.centerX(), disc.centerY(), side / 2), b, Solid(fill));
  }
  const Color glyph = look == Look::Normal ? Hex(0xBCC9DC) : Hex(0xFFFFFF);
  const float shift = look == Look::MouseDown ? 1 : 0;
  const Rect box = disc.moved(shift, shift);
  switch (id) {
    case ButtonId::Min:
      DrawMinus(image, box.inset(2), glyph);
      break;
    case ButtonId::Close:
      DrawCross(image, box.inset(2), glyph);
      break;
    default:
      DrawText(image, fonts.glyph, id == ButtonId::Help ? "?" : "i", box.moved(0.5f, 0), glyph);
      break;
  }
}

void DrawMoreFreeTools(Image& image, const Fonts& fonts, Look look) {
  const Rect b = ButtonRect(ButtonId::MoreFreeTools);
  const Rect pill = b.inset(1);
  const Shape shape = RoundRect(pill, pill.h / 2);
  const Accent brand = BrandAccent();
  if (look == Look::Normal) {
    Fill(image, shape, pill, Solid(Hex(0xFFFFFF, 0.06f)));
    Fill(image, InnerStroke(shape, 1), pill, Solid(Hex(0xFFFFFF, 0.28f)));
  } else {
    const float tone = look == Look::MouseOn ? 0.0f : -0.22f;
    Fill(image, shape, pill,
         Linear(0, pill.y, Shade(brand.top, tone), 0, pill.bottom(), Shade(brand.bottom, tone)));
  }
  const int shift = look == Look::MouseDown ? 1 : 0;
  const std::string& caption = fonts.words.moreFreeTools;
  const float textWidth = fonts.label.designWidth(caption);
  const float left = std::floor(pill.x + (pill.w - 14 - 6 - textWidth) / 2) + shift;
  DrawStar(image, {left, pill.centerY() - 7 + shift, 14, 14}, Hex(0xFFC94D));
  DrawText(image, fonts.label, caption, {left + 20, pill.y + shift, textWidth + 2, pill.h},
           Hex(0xFFFFFF), Align::Left);
}

}  // namespace

SkinArt WideSkinArt(const Fonts& fonts) {
  SkinArt art;
  art.folder = "wide";
  art.language = fonts.words.tag;
  art.mirrored = fonts.words.rightToLeft;
  art.scale = fonts.scale;
  art.width = kWidth;
  art.height = kHeight;
  // Square at the top left, where the brand plate meets the corner; the launcher's outline
  // never takes the rightmost column, so the shape ends before it.
  art.outline = RoundRect4({0, 0, kWidth - 1, kHeight}, 0, 22, 22, 22);
  art.edge = kEdge;
  art.background = DrawBackground;

  for (size_t i = 0; i < kButtons.size(); ++i) {
    const ButtonId id = kButtons[i].id;
    const Rect r = ButtonRect(id);
    ButtonArt& button = art.buttons[i];
    button.left = static_cast<int>(r.x);
    button.top = static_cast<int>(r.y);
    button.width = static_cast<int>(r.w);
    button.height = static_cast<int>(r.h);
    switch (id) {
      case ButtonId::Home:
        button.draw = [&fonts](Image& image, Look look) { DrawBrand(image, fonts, look); };
        break;
      case ButtonId::MoreFreeTools:
        button.draw = [&fonts](Image& image, Look look) { DrawMoreFreeTools(image, fonts, look); };
        break;
      case ButtonId::One:
      case ButtonId::Two:
      case ButtonId::Three:
      case ButtonId::MoreTools: {
        const int index = static_cast<int>(id) - static_cast<int>(ButtonId::One);
        button.draw = [&fonts, id, index](Image& image, Look look) {
          DrawCard(image, fonts, id, look, BigButtonCard(index), fonts.words.cards[index]);
        };
        break;
      }
      default:
        button.draw = [&fonts, id](Image& image, Look look) {
          DrawTitleButton(image, fonts, id, look);
        };
        break;
    }
  }
  return art;
}

}  // namespace ss::skingen
