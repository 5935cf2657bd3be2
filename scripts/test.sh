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
start_display
# A warm wine server keeps each test's start-up short.
wineserver -p 2>/dev/null || true
cd "$BUILD"
ctest --output-on-failure "$@"
