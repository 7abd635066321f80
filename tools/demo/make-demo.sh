#!/usr/bin/env bash
# Assembles the demo launcher folder: the exe, its packed configuration, the icon, both default
# skins under sounds\, the German, Japanese and Arabic language files under lang\, and the
# stand-in tool under every tool's name and as the companion.
#   make-demo.sh WIN_BUILD HOST_BUILD DEMO_DIR [design|alt]
# The layout picks the configuration: design packs assets/demo.ini as written; alt packs it with
# Skin=1 and ResFolder=wide, the alternative layout and its skin. assets/demo-unicode.ini, the
# same settings with a Greek product name, is packed alike into tarvix-unicode.ini beside
# tarvix.dll: copy it over tarvix.dll to try it. HALO=always (auto, never) in the environment
# adds that [APPEARANCE] Halo setting to both.
set -euo pipefail
win=${1:?windows build dir}
host=${2:?host build dir}
demo=${3:?demo dir}
layout=${4:-design}
root=$(cd "$(dirname "$0")/../.." && pwd)
assets="$host/demo-assets"

[ -f "$assets/icon.ico" ] || { echo "make-demo.sh: no generated assets in $assets" >&2; exit 1; }
mkdir -p "$demo"
cp "$win/bin/suitestart.exe" "$demo/"
cp "$assets/icon.ico" "$demo/icon.ico"
rm -rf "$demo/sounds"
cp -r "$assets/sounds" "$demo/sounds"
rm -rf "$demo/lang"
cp -r "$root/assets/lang" "$demo/lang"
while read -r program; do
  [ -n "$program" ] && cp "$win/bin/suitestart-stub.exe" "$demo/$program"
done <"$assets/programs.txt"

case "$layout" in
  design) layout_sed=(-e '') ;;
  alt) layout_sed=(-e 's/^Skin=.*/Skin=1/' -e 's/^ResFolder=.*/ResFolder=wide/') ;;
  *) echo "make-demo.sh: layout must be design or alt, not $layout" >&2; exit 2 ;;
esac
clear=$(mktemp)
trap 'rm -f "$clear"' EXIT
# pack CLEAR NAME: the clear settings CLEAR, in the chosen layout, packed into the demo as NAME.
pack() {
  sed "${layout_sed[@]}" "$1" >"$clear"
  if [ -n "${HALO:-}" ]; then printf '\n[APPEARANCE]\nHalo=%s\n' "$HALO" >>"$clear"; fi
  "$host/bin/suitestart-config" pack "$clear" "$demo/$2"
}
pack "$root/assets/demo.ini" tarvix.dll
pack "$root/assets/demo-unicode.ini" tarvix-unicode.ini
echo "Demo folder: $demo ($layout layout)"
