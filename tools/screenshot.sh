#!/usr/bin/env bash
# Starts TavrixVJ under Xvfb with Wine's X11 driver, waits until its main
# window is shown, writes a PNG of the screen and ends the program.
# Usage: screenshot.sh OUT.png [BUILD_DIR]   (default: the build this
# machine can run, build/i686 or build/x86_64; it must be built already)
# TAVRIX_SHOT_EXE and TAVRIX_SHOT_TITLE name another program of the folder
# and the window title to wait for (tools/widget-sheet.sh uses them);
# TAVRIX_SHOT_ARGS, words given to that program.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$(realpath -m "${1:?usage: screenshot.sh OUT.png [BUILD_DIR]}")
dir=${2:-$root/build/$("$root/tools/test-arch.sh")}
dir=$(realpath "$dir")
if grep -q 'TAVRIX_ARCH:STRING=x86_64' "$dir/CMakeCache.txt"; then
  export TAVRIX_WINEARCH=win64
else
  export TAVRIX_WINEARCH=win32
fi
export TAVRIX_WINEPREFIX=$dir/wineprefix-x11 TAVRIX_WINE_DRIVER=x11
image=${TAVRIX_IMAGE_DIR:-$dir/TavrixVJ}   # the program folder to start from
exe=${TAVRIX_SHOT_EXE:-TavrixVJ.exe}
title=${TAVRIX_SHOT_TITLE:-TAVRIX PRO DJ}
[ -f "$image/$exe" ] || { echo "screenshot.sh: $image/$exe is not built" >&2; exit 1; }

xvfb-run -a -s '-screen 0 1024x768x24' bash -s "$root" "$image" "$out" "$exe" "$title" <<'INNER'
set -eu
root=$1 image=$2 out=$3 exe=$4 title=$5
. "$root/tools/wine-env.sh"
cd "$image"
"$root/tools/wine-run.sh" "./$exe" ${TAVRIX_SHOT_ARGS:-} >/dev/null 2>&1 &
shown=0
for _ in $(seq 1 300); do
  if xwininfo -root -tree 2>/dev/null | grep -q "\"$title\""; then shown=1; break; fi
  sleep 0.2
done
if [ "$shown" = 1 ]; then
  sleep "${TAVRIX_SHOT_SETTLE:-1}" # let it paint (TAVRIX_SHOT_SETTLE seconds; the start-up sequence needs a few)
  xwd -root -silent | convert xwd:- "$out"
fi
WINEPREFIX=$TAVRIX_WINEPREFIX "$WINESERVER" -k >/dev/null 2>&1 || true
wait || true
if [ "$shown" != 1 ]; then
  echo "screenshot.sh: the main window did not appear" >&2
  exit 1
fi
echo "screenshot.sh: wrote $out"
INNER
