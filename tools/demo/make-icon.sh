#!/usr/bin/env bash
# Draws the application icon (a disc on a rounded tile) at 256, 48, 32 and 16 pixels.
#   make-icon.sh OUT.ico
set -euo pipefail
out=${1:?output .ico}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 256x256 xc:none \
  -fill '#1f5fa8' -draw 'roundrectangle 8,8 247,247 44,44' \
  -fill '#e8eef6' -draw 'circle 128,128 128,36' \
  -fill '#9fb8d6' -draw 'circle 128,128 128,74' \
  -fill '#1f5fa8' -draw 'circle 128,128 128,104' \
  -fill '#ffffff' -draw 'circle 128,128 128,118' \
  "$tmp/icon.png"
convert "$tmp/icon.png" -define icon:auto-resize=256,48,32,16 "$out"
