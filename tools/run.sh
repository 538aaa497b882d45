#!/usr/bin/env bash
# Installs what is missing, builds, and starts TavrixVJ from the program
# folder under Wine: on the user's display when there is one, otherwise
# under Xvfb (and says so). Extra arguments go to the program.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

if [ "$(id -u)" = 0 ]; then
  tools/setup.sh
fi
tools/build.sh i686
arch=$(tools/test-arch.sh)
if [ "$arch" != i686 ]; then
  echo "run.sh: this machine cannot run 32-bit code; starting the $arch build of the program"
  tools/build.sh "$arch"
fi
dir=$root/build/$arch
if [ "$arch" = x86_64 ]; then export TAVRIX_WINEARCH=win64; else export TAVRIX_WINEARCH=win32; fi
export TAVRIX_WINEPREFIX=$dir/wineprefix-x11 TAVRIX_WINE_DRIVER=x11
image=$dir/TavrixVJ

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  cd "$image" && exec "$root/tools/wine-run.sh" ./TavrixVJ.exe "$@"
fi
echo "run.sh: no display reachable; starting TavrixVJ under Xvfb (a virtual screen you cannot see)."
echo "run.sh: use tools/screenshot.sh to look at it. Ctrl+C ends it."
cd "$image"
exec xvfb-run -a -s '-screen 0 1024x768x24' "$root/tools/wine-run.sh" ./TavrixVJ.exe "$@"
