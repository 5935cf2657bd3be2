#!/usr/bin/env bash
# Builds the viewer and opens the bundled sample picture. Without a display it starts Xvfb,
# waits for the window, saves build/screenshot.png and ends.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/wine-prefix.sh"
build_all

picture="${1:-$ROOT/samples/evening-hills.jpg}"
winpath=$(winepath -w "$picture" 2>/dev/null)

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$BUILD/dist/PelionView.exe" "$winpath"
fi

cleanup() {
  wine "$BUILD/tests/pelion_probe.exe" close >/dev/null 2>&1 || true
  stop_wine_session
}
trap cleanup EXIT
start_wine_session
wine "$BUILD/dist/PelionView.exe" "$winpath" &
viewer=$!
if wine "$BUILD/tests/pelion_probe.exe" wait-window 30000 >/dev/null; then
  import -window root "$BUILD/screenshot.png"
  log "screenshot saved to $BUILD/screenshot.png"
  status=0
else
  echo "the viewer's window did not appear" >&2
  status=1
fi
wine "$BUILD/tests/pelion_probe.exe" close >/dev/null 2>&1 || true
wait "$viewer" 2>/dev/null || true
exit $status
