#!/usr/bin/env bash
# Draws the skin's interface pictures (buttons, close button, logo, check marks, drop-down
# frame, shadow) into skin/res/images with ImageMagick, at 1x and at 2x ("name@2x.png") for
# high-DPI screens. Shapes are drawn eight times larger and reduced with a box filter, so
# that edges fall on whole pixels at both sizes. Run again after changing a colour.
set -euo pipefail
out="${1:-$(cd "$(dirname "$0")/../.." && pwd)/skin/res/images}"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

# Writes the 8x master as name.png (1x) and name@2x.png; no time stamps, so files stay equal
# between runs.
emit() {
  local master=$1 name=$2
  convert "$master" -filter Box -resize 12.5% -strip -define png:exclude-chunks=date,time "PNG32:$out/$name.png"
  convert "$master" -filter Box -resize 25% -strip -define png:exclude-chunks=date,time "PNG32:$out/$name@2x.png"
}

# One 124x36 rounded button face (8x: 992x288): fill, 1-pixel border, radius 5.
face() {
  convert -size 992x288 xc:none -fill "$1" -stroke "$2" -strokewidth 8 \
    -draw 'roundrectangle 4,4 987,283 40,40' "$3"
}
face '#FF7A1F' '#F2701A' "$tmp/o1.png"
face '#FF8E3F' '#FF8536' "$tmp/o2.png"
face '#E8680F' '#DD600B' "$tmp/o3.png"
convert "$tmp/o1.png" "$tmp/o2.png" "$tmp/o3.png" +append "$tmp/orange.png"
emit "$tmp/orange.png" btn-orange
face '#F5F6F8' '#D7DAE0' "$tmp/g1.png"
face '#ECEEF1' '#CBCFD6' "$tmp/g2.png"
face '#E1E4E9' '#C0C5CD' "$tmp/g3.png"
convert "$tmp/g1.png" "$tmp/g2.png" "$tmp/g3.png" +append "$tmp/grey.png"
emit "$tmp/grey.png" btn-grey

# Close button 24x24: a thin cross, darker and on a light tile when hot or pushed.
cross() {
  convert -size 192x192 xc:none -fill "$3" -draw 'roundrectangle 8,8 183,183 28,28' -fill none \
    -stroke "$1" -strokewidth 12 -draw 'stroke-linecap round line 68,68 124,124' \
    -draw 'stroke-linecap round line 124,68 68,124' "$2"
}
cross '#9AA0A8' "$tmp/c1.png" 'none'
cross '#50565E' "$tmp/c2.png" '#EEF0F3'
cross '#30353B' "$tmp/c3.png" '#E2E5E9'
convert "$tmp/c1.png" "$tmp/c2.png" "$tmp/c3.png" +append "$tmp/close.png"
emit "$tmp/close.png" wnd_exif_close

# Logo 90x24: the program's sun-over-hills tile and its name. The name is set at each size
# so that the font's hinting applies.
convert -size 144x144 xc:'#2F6FDE' \
  -fill '#FFD34D' -draw 'circle 94,52 94,30' \
  -fill '#7FD1AE' -draw 'polygon 0,144 0,112 50,62 112,144' \
  -fill '#3FA37A' -draw 'polygon 34,144 96,72 144,118 144,144' "$tmp/scene.png"
convert -size 144x144 xc:none -fill white -draw 'roundrectangle 0,0 143,143 32,32' "$tmp/mask.png"
convert "$tmp/scene.png" "$tmp/mask.png" -alpha off -compose CopyOpacity -composite "$tmp/tile.png"
for s in 1 2; do
  suffix=$([ "$s" = 2 ] && echo '@2x' || true)
  convert "$tmp/tile.png" -filter Lanczos -resize $((18 * s))x$((18 * s)) "$tmp/tile$s.png"
  convert -size $((90 * s))x$((24 * s)) xc:none "$tmp/tile$s.png" -geometry +$((2 * s))+$((3 * s)) -composite \
    -font "$font" -pointsize $((13 * s)) -fill '#2B2F36' -annotate +$((25 * s))+$((17 * s)) '晴光影览' \
    -strip -define png:exclude-chunks=date,time "PNG32:$out/logo_desc$suffix.png"
done

# Check box 16x16: unchecked, checked (orange with a white tick).
convert -size 128x128 xc:none -fill white -stroke '#BFC4CC' -strokewidth 8 \
  -draw 'roundrectangle 4,4 123,123 24,24' "$tmp/k1.png"
convert -size 128x128 xc:none -fill '#FF7A1F' -stroke '#F2701A' -strokewidth 8 \
  -draw 'roundrectangle 4,4 123,123 24,24' -fill none -stroke white -strokewidth 14 \
  -draw 'stroke-linecap round stroke-linejoin round polyline 32,66 54,88 96,42' "$tmp/k2.png"
convert "$tmp/k1.png" "$tmp/k2.png" +append "$tmp/check.png"
emit "$tmp/check.png" checkbox

# Radio button 16x16: empty ring, ring with an orange dot.
convert -size 128x128 xc:none -fill white -stroke '#BFC4CC' -strokewidth 8 \
  -draw 'circle 64,64 64,6' "$tmp/r1.png"
convert -size 128x128 xc:none -fill white -stroke '#FF7A1F' -strokewidth 8 \
  -draw 'circle 64,64 64,6' -fill '#FF7A1F' -stroke none -draw 'circle 64,64 64,34' "$tmp/r2.png"
convert "$tmp/r1.png" "$tmp/r2.png" +append "$tmp/radio.png"
emit "$tmp/radio.png" radio

# Drop-down field frames 40x32 (stretched with 6-pixel corners): normal, hot, open.
field() {
  convert -size 320x256 xc:none -fill white -stroke "$1" -strokewidth 8 \
    -draw 'roundrectangle 4,4 315,251 32,32' "$2"
}
field '#D3D7DE' "$tmp/f1.png"
field '#FF9A52' "$tmp/f2.png"
field '#FF7A1F' "$tmp/f3.png"
convert "$tmp/f1.png" "$tmp/f2.png" "$tmp/f3.png" +append "$tmp/field.png"
emit "$tmp/field.png" droplist

# Arrow 12x8 pointing down.
convert -size 96x64 xc:none -fill none -stroke '#7A808A' -strokewidth 12 \
  -draw 'stroke-linecap round stroke-linejoin round polyline 16,16 48,48 80,16' "$tmp/arrow.png"
emit "$tmp/arrow.png" arrow_down

# Drop shadow around a 392x182 box, soft and faint (410x200).
convert -size 3280x1600 xc:none -fill 'rgba(0,0,0,0.28)' -draw 'roundrectangle 72,72 3207,1527 48,48' \
  -blur 0x32 "$tmp/shadow.png"
emit "$tmp/shadow.png" shadow
