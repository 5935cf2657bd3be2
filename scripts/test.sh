#!/usr/bin/env bash
# Builds everything and runs every test under Wine (a private Xvfb when there is no display).
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/wine-prefix.sh"
build_all

cleanup() {
  wineserver -k 2>/dev/null || true
  stop_display
}
trap cleanup EXIT
# A server left from an earlier run may be tied to a display that is gone.
wineserver -k 2>/dev/null || true
start_display
# A warm wine server keeps each test's start-up short.
wineserver -p 2>/dev/null || true
# Wine's helper processes start with the first program and keep its output open: start them
# here, away from the test runner's pipes.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
wine "$BUILD/tests/pelion_probe.exe" close >/dev/null 2>&1 </dev/null || true
cd "$BUILD"
ctest --output-on-failure "$@"
