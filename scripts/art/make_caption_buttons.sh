#!/usr/bin/env bash
# Draws the caption-button strips: three 30 x 30 faces (normal, hover, pressed) side by side.
set -euo pipefail
out="${1:-$(dirname "$0")/../../src/res/buttons}"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# face NAME BG FG GLYPH-DRAW-ARGS...
face() {
  local file=$1 bg=$2 fg=$3; shift 3
  convert -size 120x120 xc:"$bg" -stroke "$fg" -strokewidth 5 -fill none "$@" \
    -resize 30x30 "$file"
}

strip() {
  local name=$1 hoverbg=$2 hoverfg=$3 pressbg=$4; shift 4
  face "$tmp/${name}1.png" white '#474140' "$@"
  face "$tmp/${name}2.png" "$hoverbg" "$hoverfg" "$@"
  face "$tmp/${name}3.png" "$pressbg" "$hoverfg" "$@"
  convert "$tmp/${name}1.png" "$tmp/${name}2.png" "$tmp/${name}3.png" +append \
    -define png:color-type=6 "$out/$name.png"
}

close=(-draw 'line 42,42 78,78' -draw 'line 78,42 42,78')
maximise=(-draw 'rectangle 42,42 78,78')
restore=(-draw 'rectangle 40,50 70,80' -draw 'polyline 50,50 50,40 80,40 80,70 70,70')
minimise=(-draw 'line 42,62 78,62')
fullscreen=(-draw 'polyline 40,54 40,40 54,40' -draw 'polyline 66,40 80,40 80,54'
            -draw 'polyline 80,66 80,80 66,80' -draw 'polyline 54,80 40,80 40,66')
exitfull=(-draw 'polyline 40,54 54,54 54,40' -draw 'polyline 66,40 66,54 80,54'
          -draw 'polyline 80,66 66,66 66,80' -draw 'polyline 54,80 54,66 40,66')
pin=(-draw 'polyline 52,38 68,38 66,60 74,66 46,66 54,60 52,38' -draw 'line 60,66 60,84')

strip close_155 '#E81123' white '#B0101E' "${close[@]}"
strip maximize_166 '#E9ECEF' '#202020' '#D5D9DE' "${maximise[@]}"
strip restore_154 '#E9ECEF' '#202020' '#D5D9DE' "${restore[@]}"
strip minimize_157 '#E9ECEF' '#202020' '#D5D9DE' "${minimise[@]}"
strip fullscreen_163 '#E9ECEF' '#202020' '#D5D9DE' "${fullscreen[@]}"
strip exitfullscreen_156 '#E9ECEF' '#202020' '#D5D9DE' "${exitfull[@]}"
strip pin_165 '#E9ECEF' '#202020' '#D5D9DE' "${pin[@]}"

# 24 x 18 program mark for small places.
convert -size 96x72 xc:none -fill '#2F6FDE' -draw 'roundrectangle 0,0 95,71 14,14' \
  -fill '#FFD34D' -draw 'circle 66,26 66,14' \
  -fill '#3FA37A' -draw 'polygon 0,72 0,56 34,30 70,72' -resize 24x18 \
  -define png:color-type=6 "$out/mark_159.png"
