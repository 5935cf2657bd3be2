#!/usr/bin/env bash
# Draws the image view's interface pictures, kept as loose files in the program's resources.
set -euo pipefail
out="${1:-$(dirname "$0")/../../skin/files}"
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Turn-page indicator: a dark disc with a white chevron pointing left, clear bands above and
# below (those five rows stretch with the view's height).
convert -size 64x120 xc:none \
  -fill 'rgba(0,0,0,0.38)' -draw 'circle 32,60 32,36' \
  -stroke white -strokewidth 4 -fill none -draw 'polyline 37,48 25,60 37,72' \
  -define png:color-type=6 "$out/turn_page_indicator.png"

# Loading indicator: twelve 48 x 48 frames of a ring of dots with a moving highlight.
frames=()
for i in $(seq 0 11); do
  args=()
  for j in $(seq 0 11); do
    a=$(awk -v j="$j" 'BEGIN{printf "%.4f", j*3.14159265/6}')
    x=$(awk -v a="$a" 'BEGIN{printf "%.1f", 24+16*sin(a)}')
    y=$(awk -v a="$a" 'BEGIN{printf "%.1f", 24-16*cos(a)}')
    d=$(( (j - i + 12) % 12 ))
    alpha=$(awk -v d="$d" 'BEGIN{printf "%.2f", 1.0 - d*0.07}')
    args+=(-fill "rgba(47,111,222,$alpha)" -draw "circle $x,$y $x,$(awk -v y="$y" 'BEGIN{printf "%.1f", y+3.2}')")
  done
  convert -size 48x48 xc:none "${args[@]}" "$tmp/f$i.png"
  frames+=("$tmp/f$i.png")
done
convert "${frames[@]}" +append -define png:color-type=6 "$out/loading.png"

# Tip background: a rounded translucent dark box of 180 x 50.
convert -size 180x50 xc:none -fill 'rgba(30,30,30,0.78)' -draw 'roundrectangle 0,0 179,49 10,10' \
  -define png:color-type=6 "$out/not_exist_bg.png"

# Welcome slogan: the program's mark, its name and a line under it.
convert -size 420x150 xc:none \
  -fill '#2F6FDE' -draw 'roundrectangle 160,0 259,79 18,18' \
  -fill '#FFD34D' -draw 'circle 226,28 226,14' \
  -fill '#7FD1AE' -draw 'polygon 160,79 160,60 195,30 235,79' \
  -fill '#3FA37A' -draw 'polygon 185,79 228,44 259,70 259,79' \
  -font "$font" -fill '#2B2B2B' -pointsize 30 -gravity north -annotate +0+88 '晴光影览' \
  -fill '#8A8A8A' -pointsize 14 -annotate +0+128 '轻快清晰地看每一张图片' \
  -define png:color-type=6 "$out/home_slogan.png"

# Welcome open button: normal, hover and pressed faces of 180 x 44.
button() {
  convert -size 180x44 xc:none -fill "$1" -draw 'roundrectangle 0,0 179,43 22,22' \
    -font "$font" -fill white -pointsize 17 -gravity center -annotate +0+0 '打开图片' "$2"
}
button '#2F6FDE' "$tmp/b1.png"
button '#4A84EA' "$tmp/b2.png"
button '#2358B8' "$tmp/b3.png"
convert "$tmp/b1.png" "$tmp/b2.png" "$tmp/b3.png" +append -define png:color-type=6 "$out/home_open.png"
