#!/usr/bin/env bash
# Draws the skin's interface pictures (buttons, close button, logo, check marks, drop-down
# frame, shadow) into skin/res/images with ImageMagick. Run again after changing a colour.
set -euo pipefail
out="${1:-$(cd "$(dirname "$0")/../.." && pwd)/skin/res/images}"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
# -define png:exclude-chunks keeps the files free of time stamps, so they do not change
# between runs.
save() { convert "$1" -strip -define png:exclude-chunks=date,time "PNG32:$2"; }

# One 124x36 rounded button face: fill, border.
face() {
  convert -size 124x36 xc:none -fill "$1" -stroke "$2" -strokewidth 1 \
    -draw 'roundrectangle 0.5,0.5 123.5,35.5 5,5' "$3"
}
face '#FF7A1F' '#F2701A' "$tmp/o1.png"
face '#FF8E3F' '#FF8536' "$tmp/o2.png"
face '#E8680F' '#DD600B' "$tmp/o3.png"
convert "$tmp/o1.png" "$tmp/o2.png" "$tmp/o3.png" +append "$tmp/orange.png"
save "$tmp/orange.png" "$out/btn-orange.png"
face '#F5F6F8' '#D7DAE0' "$tmp/g1.png"
face '#ECEEF1' '#CBCFD6' "$tmp/g2.png"
face '#E1E4E9' '#C0C5CD' "$tmp/g3.png"
convert "$tmp/g1.png" "$tmp/g2.png" "$tmp/g3.png" +append "$tmp/grey.png"
save "$tmp/grey.png" "$out/btn-grey.png"

# Close button: a thin cross, darker and on a light tile when hot or pushed. Drawn at four
# times the size and reduced, for smooth diagonals.
cross() {
  convert -size 96x96 xc:none -fill "$3" -draw 'roundrectangle 4,4 91,91 14,14' -fill none \
    -stroke "$1" -strokewidth 7 -draw 'stroke-linecap round line 34,34 62,62' \
    -draw 'stroke-linecap round line 62,34 34,62' -resize 24x24 "$2"
}
cross '#9AA0A8' "$tmp/c1.png" 'none'
cross '#50565E' "$tmp/c2.png" '#EEF0F3'
cross '#30353B' "$tmp/c3.png" '#E2E5E9'
convert "$tmp/c1.png" "$tmp/c2.png" "$tmp/c3.png" +append "$tmp/close.png"
save "$tmp/close.png" "$out/wnd_exif_close.png"

# Logo: the program's sun-over-hills tile and its name.
convert -size 72x72 xc:'#2F6FDE' \
  -fill '#FFD34D' -draw 'circle 47,26 47,15' \
  -fill '#7FD1AE' -draw 'polygon 0,72 0,56 25,31 56,72' \
  -fill '#3FA37A' -draw 'polygon 17,72 48,36 72,59 72,72' "$tmp/scene.png"
convert -size 72x72 xc:none -fill white -draw 'roundrectangle 0,0 71,71 16,16' "$tmp/mask.png"
convert "$tmp/scene.png" "$tmp/mask.png" -alpha off -compose CopyOpacity -composite \
  -resize 18x18 "$tmp/tile.png"
convert -size 90x24 xc:none "$tmp/tile.png" -geometry +2+3 -composite \
  -font "$font" -pointsize 13 -fill '#2B2F36' -annotate +25+17 '晴光影览' "$tmp/logo.png"
save "$tmp/logo.png" "$out/logo_desc.png"

# Check box 16x16: unchecked, checked (orange with a white tick).
convert -size 64x64 xc:none -fill white -stroke '#BFC4CC' -strokewidth 4 \
  -draw 'roundrectangle 2,2 61,61 12,12' -resize 16x16 "$tmp/k1.png"
convert -size 64x64 xc:none -fill '#FF7A1F' -stroke '#F2701A' -strokewidth 4 \
  -draw 'roundrectangle 2,2 61,61 12,12' -fill none -stroke white -strokewidth 7 \
  -draw 'polyline 16,33 27,44 48,21' \
  -resize 16x16 "$tmp/k2.png"
convert "$tmp/k1.png" "$tmp/k2.png" +append "$tmp/check.png"
save "$tmp/check.png" "$out/checkbox.png"

# Radio button 16x16: empty ring, ring with an orange dot.
convert -size 64x64 xc:none -fill white -stroke '#BFC4CC' -strokewidth 4 \
  -draw 'circle 32,32 32,3' -resize 16x16 "$tmp/r1.png"
convert -size 64x64 xc:none -fill white -stroke '#FF7A1F' -strokewidth 4 \
  -draw 'circle 32,32 32,3' -fill '#FF7A1F' -stroke none -draw 'circle 32,32 32,17' \
  -resize 16x16 "$tmp/r2.png"
convert "$tmp/r1.png" "$tmp/r2.png" +append "$tmp/radio.png"
save "$tmp/radio.png" "$out/radio.png"

# Drop-down field frames 40x32 (stretched with 6-pixel corners): normal, hot, open.
field() {
  convert -size 40x32 xc:none -fill white -stroke "$1" -strokewidth 1 \
    -draw 'roundrectangle 0.5,0.5 39.5,31.5 4,4' "$2"
}
field '#D3D7DE' "$tmp/f1.png"
field '#FF9A52' "$tmp/f2.png"
field '#FF7A1F' "$tmp/f3.png"
convert "$tmp/f1.png" "$tmp/f2.png" "$tmp/f3.png" +append "$tmp/field.png"
save "$tmp/field.png" "$out/droplist.png"
convert -size 48x32 xc:none -fill none -stroke '#7A808A' -strokewidth 5 \
  -draw 'polyline 8,8 24,24 40,8' -resize 12x8 "$tmp/arrow.png"
save "$tmp/arrow.png" "$out/arrow_down.png"

# Drop shadow around a 392x182 box, soft and faint.
convert -size 410x200 xc:none -fill 'rgba(0,0,0,0.28)' -draw 'roundrectangle 9,9 400,190 6,6' \
  -blur 0x4 "$tmp/shadow.png"
save "$tmp/shadow.png" "$out/shadow.png"
