#!/usr/bin/env bash
# Makes the layer III benchmark's input on the host:
#   DIR/mp3_bench.mp3   5 minutes, 44.1 kHz stereo, 192 kbit/s (lame -t)
# bench/mp3_decode_bench.sh runs the benchmark against mpg123 with it.
set -euo pipefail
dir=${1:-.}
mkdir -p "$dir"
cd "$dir"
if [ ! -s mp3_bench.mp3 ]; then
  # plucked strings, a chord with tremolo and pink noise: content that uses
  # the whole spectrum, short and long blocks
  sox -q -n -r 44100 -c 2 -b 16 mp3_bench.wav synth 300 pluck 110 pluck 165 \
      synth 300 pinknoise mix synth 300 sine mix 440 sine 660 tremolo 3 60 gain -10
  lame --quiet -t -b 192 mp3_bench.wav mp3_bench.mp3
  rm -f mp3_bench.wav
fi
