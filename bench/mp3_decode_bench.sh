#!/usr/bin/env bash
# Layer III decoding speed against mpg123, side by side in one run:
#   bench/mp3_decode_bench.sh BUILD [DIR] [ROUNDS] [CORE]
# BUILD is a build tree (build/x86_64: the benchmark under Wine; build/native:
# a host build of it, see below); DIR holds the input of make-mp3-bench.sh
# (made when missing); ROUNDS (default 7) interleaved rounds of ours,
# mpg123 --cpu generic and mpg123's default decoder, each pinned to CORE
# (default 7) with taskset. Our time is the benchmark's own clock, without
# Wine's start-up; mpg123's is its process's wall time less the same
# process's time for one frame (its start-up), measured in the same round.
# Prints the medians and the ratios (mp3_decode_bench --report).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:?usage: mp3_decode_bench.sh BUILD [DIR] [ROUNDS] [CORE]}" && pwd)
dir=${2:-/tmp/mp3-bench}
rounds=${3:-7}
core=${4:-7}
command -v mpg123 >/dev/null || { echo "mpg123 is not installed (tools/setup.sh)" >&2; exit 1; }
mkdir -p "$dir"
[ -s "$dir/mp3_bench.mp3" ] || "$here/make-mp3-bench.sh" "$dir" >/dev/null
dir=$(cd "$dir" && pwd)
# One frame of the same stream, for mpg123's start-up.
head -c 2000 "$dir/mp3_bench.mp3" > "$dir/mp3_bench_start.mp3"

if [ -x "$build/bin/mp3_decode_bench.exe" ]; then
  run_ours() { WINEPATH="Z:$build/TavrixVJ" taskset -c "$core" "$build/wine-run.sh" \
                 "$build/bin/mp3_decode_bench.exe" "$@" | tr -d '\r'; }
  file="Z:$dir/mp3_bench.mp3"
else
  run_ours() { taskset -c "$core" "$build/bin/mp3_decode_bench" "$@"; }
  file="$dir/mp3_bench.mp3"
fi
wall() { # seconds a command takes
  local start end
  start=$(date +%s.%N); "$@" >/dev/null 2>&1; end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
peer() { # seconds mpg123 ARGS... decodes the file, less its start-up
  local whole start
  whole=$(wall taskset -c "$core" mpg123 -q -t "$@" "$dir/mp3_bench.mp3")
  start=$(wall taskset -c "$core" mpg123 -q -t "$@" "$dir/mp3_bench_start.mp3")
  echo "$whole - $start" | bc -l
}
# Start Wine's server and background services before the rounds and not
# pinned: started from a pinned round, they would share its core.
if [ -x "$build/bin/mp3_decode_bench.exe" ]; then
  WINEPATH="Z:$build/TavrixVJ" "$build/wine-run.sh" "$build/bin/mp3_decode_bench.exe" \
    --time "Z:$dir/mp3_bench_start.mp3" >/dev/null 2>&1 || true
fi
decoder=$(mpg123 -v -t -n 1 "$dir/mp3_bench.mp3" 2>&1 | sed -n 's/^Decoder: //p' | head -n 1)
: > "$dir/ours.txt"; : > "$dir/generic.txt"; : > "$dir/default.txt"
for round in $(seq "$rounds"); do
  run_ours --time "$file" >> "$dir/ours.txt"
  peer --cpu generic >> "$dir/generic.txt"
  peer >> "$dir/default.txt"
done
echo "$(mpg123 --version | head -n 1); its default decoder on this machine: $decoder"
echo "($rounds interleaved rounds on core $core, $(nproc) cores shared)"
if [ -x "$build/bin/mp3_decode_bench.exe" ]; then
  report=("Z:$dir/ours.txt" "Z:$dir/generic.txt" "Z:$dir/default.txt")
else
  report=("$dir/ours.txt" "$dir/generic.txt" "$dir/default.txt")
fi
run_ours --report "${report[@]}" "${decoder:-default}"
