#!/usr/bin/env bash
# Writes PNGs of the start-up splash and of the message dialog
# (tests/skin/sheet/SkinSheet.cpp) under Xvfb, one screen each.
# Usage: dialog-shots.sh OUT_DIR [BUILD_DIR]   (skin_sheet must be built)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:?usage: dialog-shots.sh OUT_DIR [BUILD_DIR]}
dir=$(realpath "${2:-$root/build/$("$root/tools/test-arch.sh")}")
mkdir -p "$out"
TAVRIX_IMAGE_DIR=$dir/bin TAVRIX_SHOT_EXE=skin_sheet.exe TAVRIX_SHOT_TITLE="TavrixVJ splash" \
  "$root/tools/screenshot.sh" "$out/splash.png" "$dir"
TAVRIX_IMAGE_DIR=$dir/bin TAVRIX_SHOT_EXE=skin_sheet.exe TAVRIX_SHOT_TITLE="TavrixVJ message" \
  TAVRIX_SHOT_ARGS=message "$root/tools/screenshot.sh" "$out/message.png" "$dir"
