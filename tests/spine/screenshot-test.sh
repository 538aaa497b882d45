#!/usr/bin/env bash
# The screenshot script starts the program under Xvfb and writes a PNG in
# which its main window shows (a light window on the black root).
set -euo pipefail
root=$1 build=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$root/tools/screenshot.sh" "$tmp/shot.png" "$build"
size=$(identify -format '%wx%h' "$tmp/shot.png")
[ "$size" = 1024x768 ] || { echo "unexpected size $size"; exit 1; }
# The window's client area (white) covers the upper left of the screen;
# the root window elsewhere is black.
inside=$(convert "$tmp/shot.png" -crop 300x200+100+100 +repage -format '%[fx:mean]' info:)
outside=$(convert "$tmp/shot.png" -crop 100x100+900+650 +repage -format '%[fx:mean]' info:)
echo "mean brightness inside the window $inside, outside $outside"
awk -v a="$inside" -v b="$outside" 'BEGIN { exit !(a > 0.5 && b < 0.1) }'
