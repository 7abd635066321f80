#!/usr/bin/env bash
# Renders a skin as the launcher shows it, for judging the artwork by eye: main.bmp with each
# button's normal picture at its place, fuchsia (and the rightmost column, which the window's
# outline never takes) shown as desktop, the info text written where the launcher writes it;
# and a sheet of every button's three looks at twice the size.
#   preview.sh SKIN_DIR design|alt OUT_PREFIX     writes OUT_PREFIX.png and OUT_PREFIX-looks.png
set -euo pipefail
skin=${1:?skin folder}
layout=${2:?design or alt}
out=${3:?output prefix}
root=$(cd "$(dirname "$0")/../.." && pwd)
font_dir=/usr/share/wine/fonts
desktop='#3B6E8F'

# name left top width height normal mouse-on pressed alt-left alt-top, from the launcher's table.
buttons=$(sed -n 's/^ *{ButtonId::[A-Za-z]*, "\([A-Za-z0-9]*\)", \([0-9]*\), \([0-9]*\), \([0-9]*\), \([0-9]*\), [0-9]*, {"\([^"]*\)", "\([^"]*\)", "\([^"]*\)"}, \([0-9]*\), \([0-9]*\)}.*/\1 \2 \3 \4 \5 \6 \7 \8 \9/p' \
  "$root/src/ui/main/form_main_tables.h")
# sed has nine groups; the alt top is the last number on the line.
alt_tops=$(sed -n 's/^ *{ButtonId::.*, \([0-9]*\)},$/\1/p' "$root/src/ui/main/form_main_tables.h")
[ "$(echo "$buttons" | wc -l)" = 10 ] || { echo "preview.sh: cannot read the button table" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
read -r width height <<<"$(identify -format "%w %h" "$skin/main.bmp")"
args=("$skin/main.bmp")
i=0
while read -r name left top w h normal _ _ alt_left; do
  i=$((i + 1))
  alt_top=$(echo "$alt_tops" | sed -n "${i}p")
  if [ "$layout" = alt ]; then
    # AutoSize gives the button its normal picture's size.
    args+=("$skin/$normal" -geometry "+$alt_left+$alt_top" -composite)
  else
    # The design size stays; the picture is cut off at the button's edges.
    convert "$skin/$normal" -crop "${w}x${h}+0+0" +repage "$tmp/$name.bmp"
    args+=("$tmp/$name.bmp" -geometry "+$left+$top" -composite)
  fi
done <<<"$buttons"

convert "${args[@]}" -fill "$desktop" -opaque '#FF00FF' \
  -draw "line $((width - 1)),0 $((width - 1)),$((height - 1))" "$tmp/window.png"
if [ "$layout" = alt ]; then
  convert "$tmp/window.png" \( -size 217x57 -background none -fill white \
    -font "$font_dir/tahoma.ttf" -pointsize 11 \
    caption:'Welcome to Kestrel Disc Suite! Point at a tool to read what it does.' \) \
    -geometry +184+120 -composite "$tmp/window.png"
else
  text='Welcome to Kestrel Disc Suite!'
  convert "$tmp/window.png" -font "$font_dir/tahoma.ttf" -pointsize 11 \
    -fill white -annotate +17+171 "$text" -fill '#2D2C2C' -annotate +16+170 "$text" \
    "$tmp/window.png"
fi
convert "$tmp/window.png" -bordercolor "$desktop" -border 24 "$out.png"

# The looks sheet: one row per button, normal, mouse-on and pressed, at twice the size.
rows=()
while read -r name _ _ _ _ normal over down _; do
  convert "$skin/$normal" "$skin/$over" "$skin/$down" -scale 200% -bordercolor white \
    -border 4 +append "$tmp/row-$name.png"
  rows+=("$tmp/row-$name.png")
done <<<"$buttons"
convert "${rows[@]}" -background white -gravity west -append "$out-looks.png"
echo "Preview: $out.png, $out-looks.png"
