#!/usr/bin/env bash
# Draws the toolbar grid (52 x 34 cells: row 0 normal, 1 hover, 2 disabled), the menu button row
# (30 x 30 cells: normal, hover, pressed, disabled) and the two title-area logos.
# Glyphs are drawn at four times the size and scaled down, so every line has the same weight.
set -euo pipefail
out="${1:-$(dirname "$0")/../../skin/files}"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

normal='#3C3C3C'
hover='#2F6FDE'
disabled='#C4C7CC'
hoverbg='#E8EEF8'

# Glyphs on a 208 x 136 canvas, centred on (104, 68), inside 64..144 x 28..108.
g_actual=(-draw 'roundrectangle 66,34 142,102 8,8'
          -draw 'polyline 84,56 90,52 90,86' -draw 'polyline 116,56 122,52 122,86'
          -fill "@FG" -draw 'circle 104,60 104,56' -draw 'circle 104,80 104,76' -fill none)
g_zoomin=(-draw 'circle 96,62 96,34' -draw 'line 116,82 138,104'
          -draw 'line 82,62 110,62' -draw 'line 96,48 96,76')
g_zoomout=(-draw 'circle 96,62 96,34' -draw 'line 116,82 138,104' -draw 'line 82,62 110,62')
g_prev=(-draw 'polyline 114,38 84,68 114,98')
g_next=(-draw 'polyline 94,38 124,68 94,98')
g_rotl=(-draw 'path "M 76,56 A 32,32 0 1,0 108,38"'
        -fill "@FG" -draw 'polygon 92,38 110,26 110,50' -fill none)
g_rotr=(-draw 'path "M 132,56 A 32,32 0 1,1 100,38"'
        -fill "@FG" -draw 'polygon 116,38 98,26 98,50' -fill none)
g_delete=(-draw 'line 70,42 138,42' -draw 'line 94,42 94,30' -draw 'line 94,30 114,30'
          -draw 'line 114,30 114,42' -draw 'line 78,42 84,102' -draw 'line 84,102 124,102'
          -draw 'line 124,102 130,42' -draw 'line 97,58 97,86' -draw 'line 111,58 111,86')
g_resize=(-draw 'polyline 98,34 68,34 68,102 136,102 136,72'
          -draw 'line 104,66 138,32' -draw 'polyline 116,32 138,32 138,54')
g_enhance=(-draw 'path "M 96,32 Q 100,60 124,64 Q 100,68 96,96 Q 92,68 68,64 Q 92,60 96,32 Z"'
           -draw 'path "M 130,28 Q 132,38 140,40 Q 132,42 130,52 Q 128,42 120,40 Q 128,38 130,28 Z"')
g_info=(-draw 'circle 104,68 104,32' -draw 'line 104,62 104,88'
        -fill "@FG" -draw 'circle 104,50 104,46' -fill none)
g_location=(-draw 'path "M 104,104 C 90,86 76,74 76,58 A 28,28 0 1,1 132,58 C 132,74 118,86 104,104 Z"'
            -draw 'circle 104,58 104,48')
g_fit=(-draw 'polyline 66,50 66,34 84,34' -draw 'polyline 124,34 142,34 142,50'
       -draw 'polyline 142,86 142,102 124,102' -draw 'polyline 84,102 66,102 66,86'
       -draw 'rectangle 84,52 124,84')
g_convert=(-draw 'line 70,52 134,52' -draw 'polyline 120,38 134,52 120,66'
           -draw 'line 138,84 74,84' -draw 'polyline 88,70 74,84 88,98')

cell() {  # cell FILE BG FG GLYPH...
  local file=$1 bg=$2 fg=$3; shift 3
  local args=("${@//@FG/$fg}")
  local draw_bg=()
  [ "$bg" != none ] && draw_bg=(-fill "$bg" -draw 'roundrectangle 4,4 203,131 22,22')
  convert -size 208x136 xc:none "${draw_bg[@]}" -fill none -stroke "$fg" -strokewidth 7 \
    -draw 'stroke-linecap round' -draw 'stroke-linejoin round' "${args[@]}" \
    -filter Triangle -resize 52x34 "$file"
}

glyphs=(actual zoomin zoomout prev next rotl rotr delete resize enhance info location fit convert)
rows=()
for row in 0 1 2; do
  cols=()
  for i in "${!glyphs[@]}"; do
    name=${glyphs[$i]}
    eval "g=(\"\${g_${name}[@]}\")"
    case $row in
      0) cell "$tmp/c${row}_$i.png" none "$normal" "${g[@]}" ;;
      1) cell "$tmp/c${row}_$i.png" "$hoverbg" "$hover" "${g[@]}" ;;
      2) cell "$tmp/c${row}_$i.png" none "$disabled" "${g[@]}" ;;
    esac
    cols+=("$tmp/c${row}_$i.png")
  done
  convert "${cols[@]}" +append "$tmp/row$row.png"
  rows+=("$tmp/row$row.png")
done
convert -background none "${rows[@]}" -append +repage -depth 8 -define png:color-type=6 "$out/toolbar.png"

# Menu button: three short lines.
menu() {  # menu FILE BG FG
  local bgdraw=()
  # Square faces, like the caption buttons beside it.
  [ "$2" != none ] && bgdraw=(-fill "$2" -draw 'rectangle 0,0 119,119')
  convert -size 120x120 xc:none "${bgdraw[@]}" -fill none -stroke "$3" -strokewidth 5 \
    -draw 'stroke-linecap round' -draw 'line 40,44 80,44' -draw 'line 40,60 80,60' \
    -draw 'line 40,76 80,76' -filter Triangle -resize 30x30 "$1"
}
# Normal and disabled faces are opaque white like the caption strip they sit in.
menu "$tmp/m0.png" white "$normal"
menu "$tmp/m1.png" '#E9ECEF' '#202020'
menu "$tmp/m2.png" '#D5D9DE' '#202020'
menu "$tmp/m3.png" white "$disabled"
convert -background none "$tmp/m0.png" "$tmp"/m1.png "$tmp"/m2.png "$tmp"/m3.png +append \
  +repage -depth 8 -define png:color-type=6 "$out/wnd_menu.png"

# The program mark: blue rounded tile, yellow sun, green hills; 22 x 22 at (1, 4).
convert -size 176x176 xc:none -fill '#2F6FDE' -draw 'roundrectangle 0,0 175,175 36,36' \
  -fill '#FFD34D' -draw 'circle 116,62 116,34' \
  -fill '#7FD1AE' -draw 'polygon 0,176 0,136 60,76 138,176' \
  -fill '#3FA37A' -draw 'polygon 40,176 118,88 176,142 176,176' "$tmp/scene.png"
convert -size 176x176 xc:none -fill white -draw 'roundrectangle 0,0 175,175 36,36' "$tmp/tile.png"
convert "$tmp/scene.png" "$tmp/tile.png" -compose DstIn -composite \
  -filter Triangle -resize 22x22 "$tmp/mark.png"
# Both logos are opaque white: the caption strip around them is white.
convert -size 24x30 xc:white "$tmp/mark.png" -geometry +1+4 -composite \
  +repage -depth 8 -define png:color-type=6 "$out/logo-mini.png"
convert -size 360x120 xc:none -font "$font" -pointsize 62 -fill '#2B2B2B' -gravity west \
  -annotate +0+0 'Pelion' -filter Triangle -resize 90x30 -trim +repage "$tmp/word.png"
convert -size 90x30 xc:white "$tmp/mark.png" -geometry +1+4 -composite \
  "$tmp/word.png" -gravity west -geometry +28+0 -composite \
  +repage -depth 8 -define png:color-type=6 "$out/logo_desc.png"
