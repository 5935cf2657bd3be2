#!/usr/bin/env bash
# Draws the program icon (a sun over two hills in a rounded tile) with ImageMagick.
set -euo pipefail
out="${1:-$(dirname "$0")/../../src/res/pelion.ico}"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 256x256 xc:'#2F6FDE' \
  -fill '#FFD34D' -draw 'circle 168,92 168,52' \
  -fill '#7FD1AE' -draw 'polygon 0,256 0,200 90,110 200,256' \
  -fill '#3FA37A' -draw 'polygon 60,256 170,128 256,210 256,256' \
  "$tmp/scene.png"
convert -size 256x256 xc:none -fill white -draw 'roundrectangle 8,8 247,247 48,48' "$tmp/mask.png"
convert "$tmp/scene.png" "$tmp/mask.png" -alpha off -compose CopyOpacity -composite "$tmp/icon.png"
convert "$tmp/icon.png" -define icon:auto-resize=256,48,32,16 "$out"
