#!/usr/bin/env bash
# Makes the deck benchmark's inputs on the host (the benchmark runs under
# Wine, which cannot start sox or lame):
#   DIR/deck_bench.mp3   2 minutes of music-like stereo, 44.1 kHz, 192 kbit/s
#   DIR/deck_cue.mp3     4 s of silence, then 6 s of a 1 kHz tone: the cue
#                        point at 5 s lies inside the tone
# Then run: deck_bench DIR/deck_bench.mp3 DIR/deck_cue.mp3
set -euo pipefail
dir=${1:-.}
mkdir -p "$dir"
cd "$dir"
if [ ! -s deck_bench.mp3 ]; then
  sox -q -n -r 44100 -c 2 -b 16 deck_bench.wav synth 120 pluck 110 pluck 165 \
      synth 120 pinknoise mix synth 120 sine mix 440 sine 660 tremolo 3 60 gain -10
  lame --quiet -t -b 192 deck_bench.wav deck_bench.mp3
  rm -f deck_bench.wav
fi
if [ ! -s deck_cue.mp3 ]; then
  sox -q -n -r 44100 -c 2 -b 16 deck_cue.wav synth 6 sine 1000 gain -6 pad 4 0
  lame --quiet -t -b 192 deck_cue.wav deck_cue.mp3
  rm -f deck_cue.wav
fi
echo "made $dir/deck_bench.mp3 and $dir/deck_cue.mp3"
