#!/usr/bin/env bash
# Configures and builds one architecture: build.sh [i686|x86_64]
# The tree goes to build/ARCH (or TAVRIX_BUILD_DIR); the program folder to
# its TavrixVJ/ subfolder.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
arch=${1:-i686}
dir=${TAVRIX_BUILD_DIR:-$root/build/$arch}
jobs=$(nproc)
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$dir" -DTAVRIX_ARCH="$arch" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$dir" -j "$jobs"
