#!/usr/bin/env bash
# Makes the program folder a Windows user gets into one zip file:
# package.sh [BUILD_DIR] [OUT.zip]   (default build/i686 and BUILD_DIR/TavrixVJ.zip)
# The zip holds the folder TavrixVJ/ with the exe, the DLLs, the default INI
# files and the skins, as the build laid them out; the build must be done.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir=$(realpath "${1:-$root/build/i686}")
out=$(realpath -m "${2:-$dir/TavrixVJ.zip}")
image=$dir/TavrixVJ
for f in TavrixVJ.exe KVLib.dll dk_dsound_output.dll TavrixVJ.INI KVLib.ini Skins/Default.xml Skins/Jukebox.xml \
    Skins/Thumbnails.xml; do
  [ -e "$image/$f" ] || { echo "package.sh: $image/$f is missing: build first (tools/build.sh)" >&2; exit 1; }
done
rm -f "$out"
# Stored names relative to the build folder; no extra attributes, so the
# same build gives the same listing.
(cd "$dir" && zip -q -r -X "$out" TavrixVJ)
echo "package.sh: wrote $out ($(unzip -Z1 "$out" | grep -vc '/$') files)"
