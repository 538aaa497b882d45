#!/usr/bin/env bash
# Fetches the Debian source packages of the dependencies that the build
# compiles with the cross compiler. Usage: deps.sh DEST
# Sources are unpacked to DEST/soundtouch and DEST/id3lib; a second run
# with both present does nothing but apply patches not applied yet. The
# patches in tools/patches/NAME/ (mends of faults the fuzzers found in a
# dependency, see docs/build.md) are applied in name order to DEST/NAME,
# each once (a marker file records it).
set -euo pipefail
dest=${1:?usage: deps.sh DEST}
patches=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/patches
mkdir -p "$dest"
cd "$dest"

fetch() { # package folder-name
  local pkg=$1 name=$2
  [ -f "$name/.fetched" ] && return 0
  rm -rf "$name" "$name.tmp"
  mkdir "$name.tmp"
  (cd "$name.tmp" && apt-get source -qq "$pkg" >/dev/null 2>&1) || {
    echo "deps.sh: 'apt-get source $pkg' failed: run tools/setup.sh as root first" >&2
    rm -rf "$name.tmp"
    exit 1
  }
  local src
  src=$(find "$name.tmp" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  mv "$src" "$name"
  rm -rf "$name.tmp"
  touch "$name/.fetched"
}

apply_patches() { # folder-name
  local name=$1 p marker
  [ -d "$patches/$name" ] || return 0
  for p in "$patches/$name"/*.patch; do
    [ -f "$p" ] || continue
    marker="$name/.patched-$(basename "$p" .patch)"
    [ -f "$marker" ] && continue
    patch -d "$name" -p1 -N -s < "$p" || {
      echo "deps.sh: patch $p does not apply to $dest/$name" >&2
      exit 1
    }
    touch "$marker"
  done
}

fetch soundtouch soundtouch
fetch id3lib3.8.3 id3lib
apply_patches soundtouch
apply_patches id3lib
