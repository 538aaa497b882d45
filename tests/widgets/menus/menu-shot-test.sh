#!/usr/bin/env bash
# The menu screenshot script photographs the program's default menu look
# (style 6, drawn as 7 under Wine): the screen shows the title band's blue.
set -euo pipefail
root=$1 build=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$root/tools/menu-shots.sh" "$tmp" "$build" 6
shot=$tmp/menu-style-6.png
size=$(identify -format '%wx%h' "$shot")
[ "$size" = 1024x768 ] || { echo "unexpected size $size"; exit 1; }
blue=$(convert "$shot" -format %c histogram:info:- | grep -i '#0046D5' | awk '{print $1}' | tr -d ':' || true)
echo "title band pixels: ${blue:-0}"
[ "${blue:-0}" -ge 500 ]
