#!/usr/bin/env bash
# Makes the track-loading benchmark's input on the host (the benchmark runs
# under Wine, which cannot start sox or lame):
#   DIR/deck_load_6min.mp3   6 minutes of music-like stereo, 44.1 kHz, 320 kbit/s
# Then run: deck_load_bench DIR/deck_load_6min.mp3
set -euo pipefail
dir=${1:-.}
mkdir -p "$dir"
cd "$dir"
if [ ! -s deck_load_6min.mp3 ]; then
  sox -q -n -r 44100 -c 2 -b 16 deck_load_6min.wav synth 360 pluck 110 pluck 165 \
      synth 360 pinknoise mix synth 360 sine mix 440 sine 660 tremolo 3 60 gain -10
  lame --quiet -b 320 deck_load_6min.wav deck_load_6min.mp3
  rm -f deck_load_6min.wav
fi
echo "made $dir/deck_load_6min.mp3"
