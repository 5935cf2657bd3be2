#!/usr/bin/env bash
# Pictures the image-view tests open, drawn with ImageMagick.
set -euo pipefail
out="$1"
mkdir -p "$out"
cd "$out"
convert -size 400x300 xc:'#FF0000' -strip small.png
convert -size 6000x4000 gradient:'#0000FF-#00FF00' -quality 85 -strip large.jpg
# Overflows only sideways at actual size: red on the left half, blue on the right.
convert -size 4000x400 xc:'#FF0000' -fill '#0000FF' -draw 'rectangle 2000,0 3999,399' -strip wide.png
# Left half opaque green, right half fully transparent.
convert -size 400x300 xc:none -fill '#00FF00' -draw 'rectangle 0,0 199,299' transparent.png
head -c 5000 /dev/urandom > corrupt.jpg
# Three 200 x 150 frames, red, green and blue, 30 hundredths of a second each.
convert -delay 30 -size 200x150 xc:'#FF0000' xc:'#00FF00' xc:'#0000FF' -loop 0 anim.gif
touch stamp
