#!/usr/bin/env bash
# Creates and configures a 32-bit Wine prefix for the project, once.
# Usage: wine-prefix.sh PREFIX [null|x11]   (architecture: TAVRIX_WINEARCH)
#   null: Wine's null graphics driver (headless tests)
#   x11:  the X11 driver (running the program, screenshots)
set -euo pipefail
prefix=${1:?usage: wine-prefix.sh PREFIX [null|x11]}
driver=${2:-null}
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ -f "$prefix/.tavrix-ready" ]; then
  exit 0
fi

export WINEPREFIX=$prefix
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
rm -rf "$prefix"
"$WINELOADER" wineboot -i >/dev/null 2>&1
"$WINESERVER" -w

case $driver in
  null) graphics=null ;;
  x11)  graphics=x11 ;;
  *) echo "wine-prefix.sh: unknown driver $driver" >&2; exit 2 ;;
esac

reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
cat >"$reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]
"Graphics"="$graphics"

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"
"Decorated"="Y"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]
"Debugger"=""
"Auto"="0"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
"Verdana"="DejaVu Sans"
REG
"$WINELOADER" regedit "$reg" >/dev/null 2>&1

# Debian's Wine does not load its own fonts: put them where Windows looks.
fonts=$prefix/drive_c/windows/Fonts
mkdir -p "$fonts"
cp -f /usr/share/wine/fonts/* "$fonts"/ 2>/dev/null || true
for f in /usr/share/fonts/truetype/liberation/*.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans*.ttf; do
  [ -f "$f" ] && cp -f "$f" "$fonts"/
done
"$WINESERVER" -w
touch "$prefix/.tavrix-ready"
