#!/usr/bin/env bash
# Makes the audio files the tests read, with sox and lame, into DIR.
# Runs as the CTest fixture "tavrix_media" before the tests; files already
# made are kept. Add a line here for each new file a test needs.
set -euo pipefail
dir=${1:?usage: make-media.sh DIR}
mkdir -p "$dir"
cd "$dir"

make() { # name command...
  local name=$1; shift
  [ -s "$name" ] && return 0
  "$@" || { echo "make-media.sh: could not make $name" >&2; rm -f "$name"; exit 1; }
}

# 3 s 440 Hz stereo tone, 44.1 kHz 16-bit
make tone440.wav sox -q -n -r 44100 -c 2 -b 16 tone440.wav synth 3 sine 440 gain -6
# the same as a 128 kbps constant-bitrate MP3 without tags
make tone440.mp3 lame --quiet --noreplaygain -b 128 -t tone440.wav tone440.mp3
