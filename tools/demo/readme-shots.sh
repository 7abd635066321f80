#!/usr/bin/env bash
# Takes the README's screenshots: runs the demo headless in both layouts (make run), crops each
# screenshot to the launcher's window, and makes what the window's outline cuts away
# transparent, from the skin's own key colour. Writes docs/screenshot-design.png and
# docs/screenshot-alt.png.   Usage: tools/demo/readme-shots.sh  (from any folder)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

shoot() {  # LAYOUT SHOT SKIN OUT
  env -u DISPLAY make --no-print-directory run LAYOUT="$1" >/dev/null
  local glyph="build/demo/sounds/$3/main.bmp"
  read -r w h < <(identify -format '%w %h\n' "$glyph")
  read -r sw sh < <(identify -format '%w %h\n' "build/demo/$2")
  # The launcher centres its window on the screen, halves truncated.
  local left=$(((sw - w) / 2)) top=$(((sh - h) / 2))
  convert "build/demo/$2" -crop "${w}x${h}+${left}+${top}" +repage "$work/window.png"
  # Opaque where the skin is not fuchsia, except the rightmost column, which the window never shows.
  convert "$glyph" -fx '(r==1 && g==0 && b==1) ? 0 : 1' -fill black \
    -draw "line $((w - 1)),0 $((w - 1)),$((h - 1))" "$work/mask.png"
  convert "$work/window.png" "$work/mask.png" -alpha off -compose CopyOpacity -composite \
    -strip "docs/$4"
  echo "docs/$4"
}

shoot design screenshot.png default screenshot-design.png
shoot alt screenshot-alt.png wide screenshot-alt.png
