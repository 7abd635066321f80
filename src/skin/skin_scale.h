// Skins at the display's scale: which variant folder each file comes from, and its size there.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace ss {

// The DPI a skin folder's own files are drawn for, and that scale in per cent.
inline constexpr int kBaseDpi = 96;
inline constexpr int kBaseScale = 100;
// The scales a variant folder may name, in per cent.
inline constexpr int kMinVariantScale = 101;
inline constexpr int kMaxVariantScale = 800;

// The scale a skin's subfolder holds its files at: its name in decimal digits without a
// leading zero, from kMinVariantScale to kMaxVariantScale ("125", "150", "200"). Any other name
// is no variant folder: nullopt.
std::optional<int> VariantScale(std::string_view folderName);

// Which of `scales` (per cent, in any order; kBaseScale for the 96-DPI file) to take a file from
// at `dpi`: the smallest drawn for at least that DPI (scale * 96 >= dpi * 100), else the
// largest. nullopt when there is none.
std::optional<int> ChooseVariant(int dpi, std::span<const int> scales);

// A 96-DPI length drawn at `scale` per cent, as a variant folder's file holds it: rounded to
// the nearest, halves up.
int LengthAtScale(int length, int scale);

// A length in 96-DPI pixels at `dpi`, as MulDiv(value, dpi, 96) gives it: rounded to the
// nearest, halves away from zero, and -1 when the result does not fit an int.
int ScaleToDpi(int value, int dpi);

}  // namespace ss
