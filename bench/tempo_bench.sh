#!/usr/bin/env bash
# Tempo detection accuracy and speed over 50 generated loops:
#   bench/tempo_bench.sh BUILD [DIR] [CORE]
# BUILD is a build tree (build/x86_64 or build/i686: the benchmark under
# Wine through KVLib's entry; build/native: the host build of the same
# measuring loop). DIR (default /tmp/tempo-bench) receives the loops, made
# once with tests/media/make-tempo-loop.py and lame: tempos spread from 70
# to 180 BPM, kick/snare/hat patterns of six styles, swing, a bass line and
# a noise bed in turn, 20 s each, mono or stereo at 44.1 kHz. CORE (default
# 7) pins the run with taskset. Prints each file and the figures: the whole
# files, then the first 15 s (the library scan's shortest limit).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:?usage: tempo_bench.sh BUILD [DIR] [CORE]}" && pwd)
dir=${2:-/tmp/tempo-bench}
core=${3:-7}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
loop="$here/../tests/media/make-tempo-loop.py"
styles=(house rock breaks dnb halftime click)

make_one() { # index
  local i=$1 bpm style swing extra name
  # Tempos 70..180 in 50 steps, nudged off whole numbers.
  bpm=$(awk -v i="$i" 'BEGIN { printf "%.2f", 70 + 110 * i / 49 + ((i * 37) % 7) * 0.13 }')
  style=${styles[$((i % 6))]}
  swing=$(awk -v i="$i" 'BEGIN { printf "%.2f", (i % 4 == 1) ? 0.12 + (i % 3) * 0.06 : 0 }')
  extra=""
  [ $((i % 2)) -eq 0 ] && extra="$extra --bass"
  [ $((i % 3)) -eq 2 ] && extra="$extra --noise 0.$((2 + i % 5))"
  name=$(printf "loop%02d_%s" "$i" "$style")
  if [ ! -s "$dir/$name.mp3" ]; then
    python3 "$loop" "$dir/$name.wav" "$bpm" --style "$style" --swing "$swing" $extra \
      --seconds 20 --seed "$i"
    if [ $((i % 2)) -eq 0 ]; then
      sox -q "$dir/$name.wav" -c 2 "$dir/$name.st.wav" && mv "$dir/$name.st.wav" "$dir/$name.wav"
      lame --quiet --noreplaygain -b 160 "$dir/$name.wav" "$dir/$name.mp3"
    else
      lame --quiet --noreplaygain -b 96 -m m "$dir/$name.wav" "$dir/$name.mp3"
    fi
    rm -f "$dir/$name.wav"
  fi
  echo "$dir/$name.mp3 $bpm"
}

list="$dir/loops.txt"
if [ ! -s "$list" ] || [ "$(wc -l < "$list")" -ne 50 ]; then
  for i in $(seq 0 49); do make_one "$i"; done > "$list.tmp"
  mv "$list.tmp" "$list"
fi

if [ -x "$build/bin/tempo_bench.exe" ]; then
  sed "s|^|Z:|" "$list" > "$dir/loops-wine.txt"
  run() { WINEPATH="Z:$build/TavrixVJ" taskset -c "$core" "$build/wine-run.sh" \
            "$build/bin/tempo_bench.exe" "Z:$dir/loops-wine.txt" "$@" | tr -d '\r'; }
else
  run() { taskset -c "$core" "$build/bin/tempo_bench" "$list" "$@"; }
fi
echo "== whole files"
run -1
echo
echo "== first 15 s (limit 661500)"
run 661500 | tail -5
