#!/usr/bin/env bash
# Times the imaging core under Wine on a 6000 x 4000 JPEG and prints each figure beside
# djpeg decoding the same file (fully and at 1/4), measured in the same run, as ratios.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/../scripts/common.sh"
build_all >/dev/null
work="$BUILD/bench/data"
mkdir -p "$work"
big="$work/big.jpg"
turned="$work/big_o6.jpg"
if [ ! -f "$big" ]; then
  convert -seed 7 -size 1500x1000 plasma:fractal -resize 6000x4000! -quality 90 "$big"
  cp "$big" "$turned"
  exiftool -q -overwrite_original -Orientation#=6 "$turned"
fi

ms_of() {  # best of three runs of a command, in milliseconds
  local best=999999999 i t0 t1
  for i in 1 2 3; do
    t0=$(date +%s%N); "$@" >/dev/null 2>&1; t1=$(date +%s%N)
    best=$(( (t1 - t0) / 1000000 < best ? (t1 - t0) / 1000000 : best ))
  done
  echo "$best"
}
djpeg_full=$(ms_of djpeg -outfile /dev/null "$big")
djpeg_quarter=$(ms_of djpeg -scale 1/4 -outfile /dev/null "$big")

trap stop_wine_session EXIT
start_wine_session
winpath() { echo "Z:${1//\//\\}"; }
out=$(wine "$BUILD/bench/imaging_bench.exe" "$(winpath "$big")" "$(winpath "$turned")" </dev/null 2>/dev/null | tr -d '\r')
echo "$out"
echo "djpeg_full_ms=$djpeg_full"
echo "djpeg_quarter_ms=$djpeg_quarter"
get() { echo "$out" | sed -n "s/^$1=//p"; }
mp=$(get megapixels)
awk -v fit="$(get create_render_1600_ms)" -v ori="$(get oriented_bitmap_ms)" \
    -v cr="$(get create_ms)" -v re="$(get render_1600_ms)" \
    -v rot="$(get oriented_bitmap_rotated_ms)" -v full="$djpeg_full" -v q="$djpeg_quarter" \
    -v mp="$mp" -v b="$(get effect_brighten_mps)" -v s="$(get effect_saturate_mps)" \
    -v sh="$(get effect_sharpen_mps)" -v m="$(get effect_mirror_mps)" 'BEGIN {
  dmps = mp / (full / 1000.0)
  printf "Create+RenderToBitmap 1600x1067: %.0f ms = %.2f x djpeg full (%d ms), %.2f x djpeg 1/4 (%d ms)\n", fit, fit / full, full, fit / q, q
  printf "  of which Create (the decoder decodes here) %.0f ms = %.2f x djpeg full; RenderToBitmap on an open loader %.0f ms = %.2f x djpeg 1/4\n", cr, cr / full, re, re / q
  printf "GetOrientedBitmap on an open loader, orientation 1: %.0f ms = %.2f x djpeg full\n", ori, ori / full
  printf "GetOrientedBitmap on an open loader, orientation 6: %.0f ms = %.2f x djpeg full\n", rot, rot / full
  printf "djpeg full decode throughput: %.1f MP/s\n", dmps
  printf "brighten %.1f MP/s = %.2f x djpeg; saturate %.1f MP/s = %.2f x; sharpen %.1f MP/s = %.2f x; mirror %.1f MP/s = %.2f x\n", b, b / dmps, s, s / dmps, sh, sh / dmps, m, m / dmps
}'

# The folder list on 10,000 empty pictures.
folder="$work/ten_thousand"
if [ ! -f "$folder/p10000.jpg" ]; then
  mkdir -p "$folder"
  (cd "$folder" && touch p{1..10000}.jpg readme.txt)
fi
wine "$BUILD/bench/browse_bench.exe" "$(winpath "$folder")" p5000.jpg </dev/null 2>/dev/null | tr -d '\r' |
  sed -n 's/^folder_scan_ms=/Folder list scan of 10,000 files (thread and hand-back): /p; s/^scan_work_ms=/  of which the scan work (listing, ordering, Explorer look-up): /p; s/^explorer_lookup_ms=/    of which the look for an Explorer window: /p' |
  sed 's/$/ ms/'

# The viewer as a user sees it, beside feh showing the same pictures in the same run.
for tool in feh xwininfo xdotool; do
  command -v "$tool" >/dev/null || { apt-get install -y -qq feh x11-utils xdotool >/dev/null; break; }
done
ten="$work/ten"
if [ ! -f "$ten/p10.jpg" ]; then
  mkdir -p "$ten"
  for i in 01 02 03 04 05 06 07 08 09 10; do cp "$big" "$ten/p$i.jpg"; done
fi
view=$(wine "$BUILD/bench/view_bench.exe" "$(winpath "$big")" "$(winpath "$ten")" </dev/null 2>/dev/null | tr -d '\r')
echo "$view"
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
feh_start=999999
for run in 1 2 3; do
  t0=$(now_ms)
  feh --geometry 1920x1080 "$big" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --pid "$pid" >/dev/null 2>&1; do sleep 0.01; done
  t=$(( $(now_ms) - t0 ))
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
  [ "$t" -lt "$feh_start" ] && feh_start=$t
done
feh --geometry 1920x1080 "$ten"/p*.jpg >/dev/null 2>&1 &
pid=$!
until win=$(xdotool search --pid "$pid" 2>/dev/null | head -n 1) && [ -n "$win" ]; do sleep 0.01; done
sleep 1
feh_next=999999
for run in 1 2 3; do
  before=$(xdotool getwindowname "$win")
  t0=$(now_ms)
  xdotool key --window "$win" Right
  until [ "$(xdotool getwindowname "$win")" != "$before" ]; do sleep 0.005; done
  t=$(( $(now_ms) - t0 ))
  [ "$t" -lt "$feh_next" ] && feh_next=$t
  sleep 1
done
kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
vget() { echo "$view" | sed -n "s/^$1=//p"; }
awk -v s="$(vget start_to_fitted_ms)" -v n="$(vget next_picture_ms)" -v fs="$feh_start" -v fn="$feh_next" \
    -v z="$(vget zoom_step_ms)" -v p="$(vget pan_step_ms)" 'BEGIN {
  printf "start to fitted 6000x4000 on screen: %d ms; feh %d ms; ratio %.2f\n", s, fs, s / fs
  printf "Right to the next fitted picture (folder of ten): %d ms; feh %d ms; ratio %.2f\n", n, fn, n / fn
  printf "one zoom step at 2x fit: %.1f ms; one pan step at 100%% (1920x1080): %.1f ms\n", z, p
}'
