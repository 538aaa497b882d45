#!/usr/bin/env bash
# Writes a PNG of the control sheet (every control of the control library
# in a few states, tests/widgets/sheet/ControlSheet.cpp) under Xvfb.
# Usage: widget-sheet.sh OUT.png [BUILD_DIR]   (widgets_sheet must be built)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:?usage: widget-sheet.sh OUT.png [BUILD_DIR]}
dir=$(realpath "${2:-$root/build/$("$root/tools/test-arch.sh")}")
TAVRIX_IMAGE_DIR=$dir/bin TAVRIX_SHOT_EXE=widgets_sheet.exe TAVRIX_SHOT_TITLE="Tavrix controls" \
  exec "$root/tools/screenshot.sh" "$out" "$dir"
