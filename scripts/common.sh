# Shared settings for the build, run and test scripts. Source it; do not run it.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${PELION_BUILD:-$ROOT/build}"
DEPS="$BUILD/_deps"
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

log() { printf '== %s\n' "$*"; }

# Starts a private Xvfb when there is no display; stop_display undoes it.
XVFB_PID=""
start_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n
  for n in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    export DISPLAY=":$n"
    return 0
  done
  echo "no free X display number" >&2
  return 1
}

stop_display() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}

# Configures (once) and builds incrementally.
build_all() {
  if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw64.cmake" \
      -DCMAKE_BUILD_TYPE=Release \
      -DCJSON_SOURCE_DIR="$DEPS/cjson" >/dev/null
  fi
  cmake --build "$BUILD" -j "$(nproc)"
}

# Starts a display when there is none and a warm wine server for this prefix.
start_wine_session() {
  # A server left from an earlier run may be tied to a display that is gone.
  wineserver -k 2>/dev/null || true
  start_display
  # A warm server keeps each program's start-up short.
  wineserver -p 2>/dev/null || true
  # Wine's helper processes start with the first program and keep its output open: start
  # them here, away from any test runner's pipes.
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
  wine "$BUILD/tests/pelion_probe.exe" close >/dev/null 2>&1 </dev/null || true
}

stop_wine_session() {
  wineserver -k 2>/dev/null || true
  stop_display
}
