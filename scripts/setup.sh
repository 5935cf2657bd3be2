#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine (run as root).
# Safe to run again: each step is skipped when already done.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          libz-mingw-w64-dev googletest wine wine64 xvfb xauth fonts-wqy-microhei
          dpkg-dev imagemagick libimage-exiftool-perl libjpeg-turbo-progs python3)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
apt_updated=0
if [ ${#missing[@]} -gt 0 ]; then
  log "installing ${missing[*]}"
  apt-get update -qq
  apt_updated=1
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# cJSON comes as Debian's source package; apt needs a deb-src twin of the machine's sources.
if [ ! -f "$DEPS/cjson/cJSON.c" ]; then
  twin_list=/etc/apt/sources.list.d/pelion-deb-src.list
  twin_deb822=/etc/apt/sources.list.d/pelion-deb-src.sources
  if [ ! -f "$twin_list" ] && [ ! -f "$twin_deb822" ]; then
    if [ -f /etc/apt/sources.list ] && grep -qE '^deb ' /etc/apt/sources.list; then
      grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > "$twin_list"
    fi
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] || continue
      [ "$f" = "$twin_deb822" ] && continue
      sed -n 's/^Types:.*\bdeb\b.*/Types: deb-src/;p' "$f" >> "$twin_deb822"
      echo >> "$twin_deb822"
    done
    for f in /etc/apt/sources.list.d/*.list; do
      [ -f "$f" ] || continue
      [ "$f" = "$twin_list" ] && continue
      grep -E '^deb ' "$f" | sed 's/^deb /deb-src /' >> "$twin_list" || true
    done
    apt_updated=0
  fi
  [ $apt_updated -eq 1 ] || apt-get update -qq
  log "fetching the cJSON source package"
  rm -rf "$DEPS/cjson-src" && mkdir -p "$DEPS/cjson-src"
  (cd "$DEPS/cjson-src" && apt-get source -qq cjson >/dev/null 2>&1)
  src=$(find "$DEPS/cjson-src" -maxdepth 2 -name cJSON.c -printf '%h\n' | head -n 1)
  [ -n "$src" ] || { echo "cJSON source not found" >&2; exit 1; }
  rm -rf "$DEPS/cjson" && mv "$src" "$DEPS/cjson" && rm -rf "$DEPS/cjson-src"
fi
