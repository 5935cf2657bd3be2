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
# The first program of a session starts Wine's helper processes, which keep their output pipe
# open; start them here so that no test's output pipe is held by them.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
cd "$BUILD"
ctest --output-on-failure "$@"
