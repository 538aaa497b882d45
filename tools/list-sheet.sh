#!/usr/bin/env bash
# Photographs the list sheet (tests/skin/lists/ListSheet.cpp: track lists
# in each draw style, the icon view, the thumbnail list, the tree and the
# navigation list) under Xvfb through tools/screenshot.sh.
# Usage: list-sheet.sh OUT.png [BUILD_DIR]   (skin_lists_sheet must be built)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:?usage: list-sheet.sh OUT.png [BUILD_DIR]}
dir=$(realpath "${2:-$root/build/$("$root/tools/test-arch.sh")}")
TAVRIX_IMAGE_DIR=$dir/tests TAVRIX_SHOT_EXE=skin_lists_sheet.exe TAVRIX_SHOT_TITLE="TavrixVJ lists" \
  "$root/tools/screenshot.sh" "$out" "$dir"
