#!/usr/bin/env bash
# Builds everything and runs every test under Wine (a private Xvfb when there is no display).
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/wine-prefix.sh"
build_all

trap stop_wine_session EXIT
start_wine_session
cd "$BUILD"
ctest --output-on-failure "$@"
