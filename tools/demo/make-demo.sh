#!/usr/bin/env bash
# Assembles the demo launcher folder: the exe, its packed configuration, the icon, both default
# skins under sounds\, and the stand-in tool under every tool's name and as the companion.
#   make-demo.sh WIN_BUILD HOST_BUILD DEMO_DIR [design|alt]
# The layout picks the configuration: design packs assets/demo.ini as written; alt packs it with
# Skin=1 and ResFolder=wide, the alternative layout and its skin.
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
while read -r program; do
  [ -n "$program" ] && cp "$win/bin/suitestart-stub.exe" "$demo/$program"
done <"$assets/programs.txt"

case "$layout" in
  design) clear="$root/assets/demo.ini" ;;
  alt)
    clear=$(mktemp)
    trap 'rm -f "$clear"' EXIT
    sed -e 's/^Skin=.*/Skin=1/' -e 's/^ResFolder=.*/ResFolder=wide/' "$root/assets/demo.ini" >"$clear"
    ;;
  *) echo "make-demo.sh: layout must be design or alt, not $layout" >&2; exit 2 ;;
esac
"$host/bin/suitestart-config" pack "$clear" "$demo/tarvix.dll"
echo "Demo folder: $demo ($layout layout)"
