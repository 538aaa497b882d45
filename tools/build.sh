#!/usr/bin/env bash
# Configures and builds one architecture: build.sh [i686|x86_64|native]
# (native: the portable code and its tests for the host, see docs/build.md)
# The tree goes to build/ARCH (or TAVRIX_BUILD_DIR); the program folder to
# its TavrixVJ/ subfolder.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
arch=${1:-i686}
dir=${TAVRIX_BUILD_DIR:-$root/build/$arch}
jobs=${TAVRIX_JOBS:-$(nproc)}
# Paths inside the checkout count as relative for the compiler cache, so a
# second clone or worktree reuses what the first compiled.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
# The native build: the portable libraries and their tests with the host
# compiler (cmake/Native.cmake), run without Wine.
if [ "$arch" = native ]; then
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$dir" -DTAVRIX_NATIVE=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  exec cmake --build "$dir" -j "$jobs"
fi
# Test programs only where they can run: a machine that cannot run 32-bit
# code builds the i686 deliverables without their tests.
tests=ON
if [ "$arch" = i686 ] && [ "$("$root/tools/test-arch.sh")" != i686 ]; then
  tests=OFF
fi
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$dir" -DTAVRIX_ARCH="$arch" -DCMAKE_BUILD_TYPE=Release \
        -DTAVRIX_BUILD_TESTS="$tests" >/dev/null
else
  cmake "$dir" -DTAVRIX_BUILD_TESTS="$tests" >/dev/null
fi
cmake --build "$dir" -j "$jobs"
