#!/usr/bin/env bash
# Takes the README's screenshots and the release guide's figure of display scales: runs the demo
# headless (make run) in both layouts and at 150 % and 200 %, crops each screenshot to the
# launcher's window, and makes what the window's outline cuts away transparent, from the skin's
# own key colour. Writes docs/screenshot-design.png, docs/screenshot-alt.png,
# docs/screenshot-design-200.png and docs/display-scales.png (the design layout at 100 %, 150 %
# and 200 % side by side), docs/halo-corner.png (the window's bottom-left corner without and
# with its halo, enlarged) and docs/screenshot-design-<tag>.png for each language given (German
# when none is: the demo's German user).   Usage: tools/demo/readme-shots.sh [TAG...]  (from any
# folder), e.g. tools/demo/readme-shots.sh de ar
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

languages=("${@:-de}")

shoot() {  # LAYOUT DPI SHOT SKIN GLYPH OUT [LANGUAGE]
  local layout=$1 dpi=$2 shot=$3 skin=$4 glyph="build/demo/sounds/$4/$5" out=$6 language=${7:-}
  env -u DISPLAY make --no-print-directory run LAYOUT="$layout" DPI="$dpi" UILANG="$language" \
    >/dev/null
  # The window is the 96-DPI main.bmp's size times dpi / 96, rounded (MulDiv).
  read -r w96 h96 < <(identify -format '%w %h\n' "build/demo/sounds/$skin/main.bmp")
  local w=$(((w96 * dpi + 48) / 96)) h=$(((h96 * dpi + 48) / 96))
  read -r sw sh < <(identify -format '%w %h\n' "build/demo/$shot")
  # The launcher centres its window on the screen, halves truncated.
  local left=$(((sw - w) / 2)) top=$(((sh - h) / 2))
  convert "build/demo/$shot" -crop "${w}x${h}+${left}+${top}" +repage "$work/window.png"
  # Opaque where the skin is not fuchsia. A glyph of another size is resampled as the launcher
  # does it: its rightmost column counts as fuchsia, and a pixel at least half covered by
  # opaque ones is opaque. The window never shows its own rightmost column either.
  read -r gw gh < <(identify -format '%w %h\n' "$glyph")
  convert "$glyph" -fx '(r==1 && g==0 && b==1) ? 0 : 1' -fill black \
    -draw "line $((gw - 1)),0 $((gw - 1)),$((gh - 1))" \
    -filter Box -resize "${w}x${h}!" -threshold 50% \
    -draw "line $((w - 1)),0 $((w - 1)),$((h - 1))" "$work/mask.png"
  convert "$work/window.png" "$work/mask.png" -alpha off -compose CopyOpacity -composite \
    -strip "$out"
  echo "$out"
}

shoot design 96 screenshot.png default main.bmp docs/screenshot-design.png
shoot alt 96 screenshot-alt.png wide main.bmp docs/screenshot-alt.png
shoot design 192 screenshot.png default 200/main.bmp docs/screenshot-design-200.png
shoot design 144 screenshot.png default 150/main.bmp "$work/design-150.png"
# Each language in the design layout; its main picture has the skin's outline.
for language in "${languages[@]}"; do
  shoot design 96 "screenshot-$language.png" default main.bmp \
    "docs/screenshot-design-$language.png" "$language"
done

# The figure: the three windows on their bottom line, each over its scale.
font=/usr/share/wine/fonts/tahoma.ttf
column=()
for scale in 100 150 200; do
  case $scale in
    100) picture=docs/screenshot-design.png ;;
    150) picture=$work/design-150.png ;;
    200) picture=docs/screenshot-design-200.png ;;
  esac
  convert -background none "$picture" \
    \( -font "$font" -pointsize 30 -fill '#808080' label:"$scale %" -splice 0x12 \) \
    -gravity center -append "$work/column-$scale.png"
  column+=("$work/column-$scale.png")
done
convert -background none "${column[@]}" -splice 48x0 -gravity south +append +gravity -chop 48x0 \
  -strip docs/display-scales.png
echo docs/display-scales.png

# The close-up: the bottom-left corner and the margin around it, Halo=never beside Halo=always,
# over the grey that xcompmgr gives the headless screen.
corner() {  # HALO OUT
  env -u DISPLAY make --no-print-directory run HALO="$1" >/dev/null
  read -r w h < <(identify -format '%w %h\n' build/demo/sounds/default/main.bmp)
  read -r sw sh < <(identify -format '%w %h\n' build/demo/screenshot.png)
  local left=$(((sw - w) / 2 - 12)) bottom=$(((sh - h) / 2 + h + 12))
  convert build/demo/screenshot.png -crop "48x48+${left}+$((bottom - 48))" +repage \
    -filter point -resize 600% "$2"
}
corner never "$work/corner-never.png"
corner always "$work/corner-always.png"
convert "$work/corner-never.png" "$work/corner-always.png" -background none -splice 24x0 +append \
  -chop 24x0 -strip docs/halo-corner.png
echo docs/halo-corner.png
