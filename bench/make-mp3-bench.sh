#!/usr/bin/env bash
# Makes the layer III benchmark's input and the reference timing, on the
# host (the benchmark itself runs under Wine, which cannot start mpg123):
#   DIR/mp3_bench.mp3           5 minutes, 44.1 kHz stereo, 192 kbit/s (lame)
#   DIR/mp3_bench_mpg123.txt    seconds mpg123 --cpu generic -t needs for it
#                               (best of three runs)
# Then run: mp3_decode_bench DIR/mp3_bench.mp3 DIR/mp3_bench_mpg123.txt
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
best=
for run in 1 2 3; do
  start=$(date +%s.%N)
  mpg123 -q --cpu generic -t mp3_bench.mp3
  end=$(date +%s.%N)
  t=$(echo "$end - $start" | bc -l)
  if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
done
printf '%.4f\n' "$best" > mp3_bench_mpg123.txt
echo "mpg123 --cpu generic: $(cat mp3_bench_mpg123.txt) s for 300 s of audio"
