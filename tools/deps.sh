#!/usr/bin/env bash
# Fetches the Debian source packages of the dependencies that the build
# compiles with the cross compiler. Usage: deps.sh DEST
# Sources are unpacked to DEST/soundtouch and DEST/id3lib; a second run
# with both present does nothing.
set -euo pipefail
dest=${1:?usage: deps.sh DEST}
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

fetch soundtouch soundtouch
fetch id3lib3.8.3 id3lib
