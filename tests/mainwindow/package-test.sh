#!/usr/bin/env bash
# The zip of the program folder: made by tools/package.sh, unpacked into an
# empty folder, complete, and the program starts from there (the Wine side
# of the check is the test Package.* of program_start_tests).
set -euo pipefail
root=$1 build=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$root/tools/package.sh" "$build" "$tmp/TavrixVJ.zip"
mkdir "$tmp/empty"
(cd "$tmp/empty" && unzip -q ../TavrixVJ.zip)
for f in TavrixVJ.exe KVLib.dll dk_dsound_output.dll libwinpthread-1.dll TavrixVJ.INI KVLib.ini \
         Skins/Default.xml Skins/Default/background.bmp Skins/Default/thumb.bmp; do
  [ -f "$tmp/empty/TavrixVJ/$f" ] || { echo "missing from the zip: $f"; exit 1; }
done
ls "$tmp/empty/TavrixVJ"/libgcc_s_*.dll >/dev/null
# Nothing but the folder.
[ "$(ls "$tmp/empty")" = TavrixVJ ] || { echo "the zip holds more than TavrixVJ/"; exit 1; }
cd "$build/tests"
TAVRIX_UNPACKED="Z:$(echo "$tmp/empty/TavrixVJ" | tr / '\\')" \
  ../wine-run.sh ./program_start_tests.exe --gtest_filter='Package.*' > "$tmp/run.txt" 2>&1 || { cat "$tmp/run.txt"; exit 1; }
cat "$tmp/run.txt"
grep -q '\[  PASSED  \] 1 test' "$tmp/run.txt" && ! grep -q SKIPPED "$tmp/run.txt"
