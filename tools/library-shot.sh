#!/usr/bin/env bash
# The picture of the program with its library in use: a copy of the
# program folder with a library of generated tracks (written by the
# library window tests' helper), started under Xvfb by screenshot.sh.
# Usage: library-shot.sh OUT.png [BUILD_DIR]   (default build/x86_64)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$(realpath -m "${1:?usage: library-shot.sh OUT.png [BUILD_DIR]}")
dir=$(realpath "${2:-$root/build/x86_64}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$dir/TavrixVJ" "$work/TavrixVJ"
folder=$work/TavrixVJ
winfolder="Z:${folder//\//\\}"
(cd "$dir" && ctest -R make_media >/dev/null)
(cd "$dir/tests" && TAVRIX_SHOT_FOLDER="$winfolder" ../wine-run.sh ./library_window_tests.exe \
   --gtest_also_run_disabled_tests --gtest_filter='LibraryShot.*' >/dev/null)
[ -s "$folder/Club.txd" ] || { echo "library-shot.sh: no library was written" >&2; exit 1; }
python3 - "$folder/TavrixVJ.INI" "$winfolder\\Club.txd" <<'PY'
import sys
path, library = sys.argv[1], sys.argv[2]
lines = open(path, newline='').read().split('\r\n')
out, section = [], ''
for line in lines:
    if line.startswith('['):
        section = line
    elif section == '[MAIN]' and line.startswith('NewInstall='):
        line = 'NewInstall=0'
    elif section == '[MAIN]' and line.startswith('Library='):
        line = 'Library=' + library
    out.append(line)
open(path, 'w', newline='').write('\r\n'.join(out))
PY
TAVRIX_IMAGE_DIR="$folder" TAVRIX_SHOT_SETTLE=${TAVRIX_SHOT_SETTLE:-10} "$root/tools/screenshot.sh" "$out" "$dir"
