#!/usr/bin/env bash
# Draws the bundled sample picture: an evening sky over hills, 1600 x 1067.
set -euo pipefail
out="${1:-$(dirname "$0")/../../samples/evening-hills.jpg}"
convert -size 1600x1067 gradient:'#1B3A6B'-'#F2A65A' \
  -fill '#FFE8A3' -draw 'circle 1120,610 1120,540' \
  -fill '#4C6A5A' -draw 'polygon 0,1067 0,700 300,560 620,760 900,620 1250,780 1600,640 1600,1067' \
  -fill '#2E4A3E' -draw 'polygon 0,1067 0,860 380,720 760,900 1100,780 1600,940 1600,1067' \
  -quality 90 "$out"
