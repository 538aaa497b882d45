#!/usr/bin/env bash
# Photographs the program with each shipped skin under Xvfb:
# skin-shots.sh OUT_DIR [BUILD_DIR]   writes OUT_DIR/NAME.png per skin
# (tools/screenshot.sh, from a copy of the program folder whose INI names
# the skin; not a first run). The skins' previews with every control drawn
# come from tools/skin-preview.py.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$(realpath -m "${1:?usage: skin-shots.sh OUT_DIR [BUILD_DIR]}")
build=$(realpath "${2:-$root/build/$("$root/tools/test-arch.sh")}")
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for xml in "$build"/TavrixVJ/Skins/*.xml; do
  name=$(basename "$xml" .xml)
  rm -rf "$tmp/TavrixVJ"
  cp -r "$build/TavrixVJ" "$tmp/TavrixVJ"
  sed -i -e 's/^NewInstall=1/NewInstall=0/' -e "s/^SkinXML=.*/SkinXML=$name.xml/" \
      -e "s/^SkinBMPPath=.*/SkinBMPPath=$name/" "$tmp/TavrixVJ/TavrixVJ.INI"
  TAVRIX_IMAGE_DIR=$tmp/TavrixVJ "$root/tools/screenshot.sh" "$out/$name.png" "$build"
  echo "skin-shots.sh: $out/$name.png"
done
