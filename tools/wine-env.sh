# Sourced by the Wine scripts: picks Wine's loader and server for the
# prefix's architecture. TAVRIX_WINEARCH is win32 (the deliverables) or
# win64 (the test build where the kernel cannot run 32-bit code).
export WINEARCH=${TAVRIX_WINEARCH:-win32}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="} # no Mono or Gecko prompts
if [ "$WINEARCH" = win64 ]; then
  export WINELOADER=/usr/lib/wine/wine64
  export WINESERVER=/usr/lib/wine/wineserver64
else
  export WINELOADER=/usr/lib/wine/wine
  export WINESERVER=/usr/lib/wine/wineserver32
fi
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)
