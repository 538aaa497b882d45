#!/usr/bin/env bash
# Writes PNGs of the test menu open in each drawing style the program can
# show (tests/widgets/menus/MenuSheet.cpp) under Xvfb, one screen each.
# Usage: menu-shots.sh OUT_DIR [BUILD_DIR] [STYLE[/TITLE] ...]
#   (menus_sheet must be built; default styles 1 3 7 9 11 7/66)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:?usage: menu-shots.sh OUT_DIR [BUILD_DIR] [STYLE[/TITLE] ...]}
dir=$(realpath "${2:-$root/build/$("$root/tools/test-arch.sh")}")
shift $(( $# >= 2 ? 2 : 1 ))
looks=("$@")
[ ${#looks[@]} -gt 0 ] || looks=(1 3 7 9 11 7/66)
mkdir -p "$out"
for look in "${looks[@]}"; do
  style=${look%%/*}
  title=64
  [ "$look" = "$style" ] || title=${look#*/}
  name="menu-style-$style"
  [ "$title" = 64 ] || name="$name-title-$title"
  TAVRIX_MENU_STYLE=$style TAVRIX_MENU_TITLE=$title TAVRIX_IMAGE_DIR=$dir/bin \
    TAVRIX_SHOT_EXE=menus_sheet.exe TAVRIX_SHOT_TITLE="Tavrix menus" \
    "$root/tools/screenshot.sh" "$out/$name.png" "$dir"
done
