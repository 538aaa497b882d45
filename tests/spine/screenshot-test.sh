#!/usr/bin/env bash
# The screenshot script starts the program under Xvfb and writes a PNG in
# which its main window shows.
set -euo pipefail
root=$1 build=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# The program runs from a copy of its folder: what it writes there stays
# this test's own.
cp -r "$build/TavrixVJ" "$tmp/TavrixVJ"
# Not a first run: the main window, not the first-run notice.
sed -i 's/^NewInstall=1/NewInstall=0/' "$tmp/TavrixVJ/TavrixVJ.INI"
TAVRIX_IMAGE_DIR=$tmp/TavrixVJ "$root/tools/screenshot.sh" "$tmp/shot.png" "$build"
size=$(identify -format '%wx%h' "$tmp/shot.png")
[ "$size" = 1024x768 ] || { echo "unexpected size $size"; exit 1; }
# A bare root window is one colour; the program's window brings its frame,
# caption and client area.
colours=$(identify -format '%k' "$tmp/shot.png")
echo "distinct colours on the screen: $colours"
[ "$colours" -ge 4 ]
