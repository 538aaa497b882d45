#!/usr/bin/env bash
# The control sheet script photographs every control under Xvfb: a full
# screen whose sheet shows the controls' many colours, among them the
# meter's red needle, the gradient bar's green start and the scope's plot.
set -euo pipefail
root=$1 build=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$root/tools/widget-sheet.sh" "$tmp/sheet.png" "$build"
size=$(identify -format '%wx%h' "$tmp/sheet.png")
[ "$size" = 1024x768 ] || { echo "unexpected size $size"; exit 1; }
colours=$(identify -format '%k' "$tmp/sheet.png")
echo "distinct colours on the screen: $colours"
[ "$colours" -ge 200 ]
