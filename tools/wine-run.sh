#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's prefix (the CMake
# emulator of every test program). The prefix is TAVRIX_WINEPREFIX; it is
# created on first use with the null graphics driver, or with the driver in
# TAVRIX_WINE_DRIVER. One persistent wineserver serves a whole test run;
# tools/test.sh stops it at the end.
set -eu
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX=${TAVRIX_WINEPREFIX:?TAVRIX_WINEPREFIX is not set}
. "$here/wine-env.sh"
"$here/wine-prefix.sh" "$WINEPREFIX" "${TAVRIX_WINE_DRIVER:-null}"

# Start the server and Wine's background services apart from our stdout,
# or whoever reads our output (CTest, a pipe) waits for them to end.
"$WINESERVER" -p >/dev/null 2>&1 || true
"$WINELOADER" cmd /c exit </dev/null >/dev/null 2>&1 || true
exec "$WINELOADER" "$@"
