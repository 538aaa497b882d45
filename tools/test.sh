#!/usr/bin/env bash
# Installs what is missing, builds the deliverables and the test build, and
# runs every test under Wine, then the native build's tests (the portable
# code built for the host), then every fuzz target briefly (tools/fuzz.sh
# brief), ending with the cases' summary. Exit code is
# the first failing CTest's. Extra arguments go to both ctest runs (e.g.
# -R spine). TAVRIX_JOBS sets the parallel jobs of the builds and the test runs
# (default: the number of processors).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

if [ "$(id -u)" = 0 ]; then
  tools/setup.sh
fi

# The 32-bit deliverables are always built.
tools/build.sh i686
arch=$(tools/test-arch.sh)
if [ "$arch" != i686 ]; then
  echo "test.sh: this machine cannot run 32-bit code; tests run on the $arch build"
  tools/build.sh "$arch"
fi
dir=$root/build/$arch

# Sound for the tests that play audio.
export PULSE_SERVER
PULSE_SERVER=$(tools/sound-server.sh start "$dir/pulse")

if [ "$arch" = x86_64 ]; then TAVRIX_WINEARCH=win64; else TAVRIX_WINEARCH=win32; fi
. tools/wine-env.sh
cleanup() {
  WINEPREFIX=$dir/wineprefix "$WINESERVER" -k >/dev/null 2>&1 || true
  tools/sound-server.sh stop "$dir/pulse" || true
}
trap cleanup EXIT

# Prefix set-up once, before CTest's parallel runs.
TAVRIX_WINEPREFIX=$dir/wineprefix "$dir/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true

# The portable code and its tests, built for the host and run without Wine.
tools/build.sh native
native=$root/build/native

rm -f "$dir"/test-results/*.xml "$native"/test-results/*.xml
set +e
# Every test runs once: a test that fails is a fault to find, never retried.
ctest --test-dir "$dir" -j "${TAVRIX_JOBS:-$(nproc)}" --output-on-failure "$@"
rc=$?
echo "test.sh: the native tests"
ctest --test-dir "$native" -j "${TAVRIX_JOBS:-$(nproc)}" --output-on-failure "$@"
native_rc=$?
# Every fuzz target briefly, with the sanitizers, over its seeds and
# regression inputs (docs/fuzzing.md).
echo "test.sh: the brief fuzz pass"
tools/fuzz.sh brief
fuzz_rc=$?
python3 tools/test-summary.py "$native/test-results" "$dir/test-results"
[ $rc -ne 0 ] || rc=$native_rc
[ $rc -ne 0 ] || rc=$fuzz_rc
exit $rc
