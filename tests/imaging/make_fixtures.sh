#!/usr/bin/env bash
# Makes the pictures the imaging tests open, with ImageMagick, exiftool and small byte writers.
# Usage: make_fixtures.sh <output folder>
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="$1"
mkdir -p "$out"
cd "$out"

# A small matrix/TRC colour profile of our own.
python3 "$here/make_icc.py" profile.icc

# 4000 x 3000 photo with orientation 6, GPS 12°30'S 45°15'E, camera values and the profile.
convert -size 4000x3000 gradient:'#3060a0-#e0c080' -units PixelsPerInch -density 72 -quality 80 \
  exif_o6.jpg
exiftool -q -overwrite_original \
  -Make=PelionCam -Model="PC 1" -Orientation#=6 \
  -DateTimeOriginal="2024:05:06 07:08:09" -FNumber=2.8 -ExposureTime=10/2500 -ISO=200 \
  -FocalLength=35 -MaxApertureValue=2 -MeteringMode#=5 -WhiteBalance#=0 \
  -ExposureProgram#=2 -LensModel="Prime 35" -EXIF:Flash#=16 \
  -GPSLatitude=12.5 -GPSLatitudeRef=S -GPSLongitude=45.25 -GPSLongitudeRef=E \
  "-ICC_Profile<=profile.icc" exif_o6.jpg

# Plain JPEG without any metadata.
convert -size 320x200 gradient:'#102030-#a0b0c0' -strip plain.jpg
# Tall strip: 300 x 1500.
convert -size 300x1500 xc:'#808080' -strip long.jpg

# PNG whose left half is fully transparent, with the profile.
convert -size 64x32 xc:none \( -size 32x32 xc:'#0000ff' \) -geometry +32+0 -composite \
  -profile profile.icc transparent.png

# Icon with 16, 48 and 32 pixel frames in that order.
convert -size 16x16 xc:red i16.png
convert -size 48x48 xc:lime i48.png
convert -size 32x32 xc:blue i32.png
convert i16.png i48.png i32.png icon.ico
rm -f i16.png i48.png i32.png

convert -delay 10 -size 40x30 xc:red xc:lime xc:blue -loop 0 anim.gif
convert -size 50x40 xc:'#204060' -compress none pic.tif
convert -size 50x40 xc:'#604020' BMP3:pic.bmp

# EXIF with wrong types, zero denominators, a short GPS vector and looping links.
python3 "$here/make_hostile_exif.py" plain.jpg hostile_exif.jpg

# A picture in the test decoder plug-in's own format (a header, the size, BGRA rows).
python3 - <<'PY'
import struct
w, h = 6, 4
rows = b''.join(bytes([0x10, 0x80, 0xF0, 0xFF]) * w for _ in range(h))
open('plugin.pelraw', 'wb').write(b'PELRAW1\n' + struct.pack('<II', w, h) + rows)
PY

# Files nothing reads.
python3 "$here/make_bad_files.py" .
