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
# WAVE codec: PCM of odd lengths in each layout, a cut-short file, a 2.9 s
# file (whole-second duration) and two formats it must refuse
make wave_s16_stereo_44k.wav sox -q -n -r 44100 -c 2 -b 16 wave_s16_stereo_44k.wav synth 1.23 sine 440 sine 660 gain -3
make wave_s16_mono_22k.wav sox -q -n -r 22050 -c 1 -b 16 wave_s16_mono_22k.wav synth 1.1 sine 300 gain -3
make wave_s16_mono_11k.wav sox -q -n -r 11025 -c 1 -b 16 wave_s16_mono_11k.wav synth 0.61 sine 250 gain -3
make wave_u8_mono_8k.wav sox -q -n -r 8000 -c 1 -b 8 wave_u8_mono_8k.wav synth 0.77 sine 200 gain -3
make wave_u8_stereo_32k.wav sox -q -n -r 32000 -c 2 -b 8 wave_u8_stereo_32k.wav synth 0.53 sine 500 sine 700 gain -3
make wave_2900ms.wav sox -q -n -r 44100 -c 2 -b 16 wave_2900ms.wav synth 2.9 sine 440 gain -6
make wave_truncated.wav sh -c 'sox -q -n -r 44100 -c 2 -b 16 wave_truncated.tmp.wav synth 1 sine 500 gain -3 && head -c 30001 wave_truncated.tmp.wav > wave_truncated.wav && rm -f wave_truncated.tmp.wav'
make wave_float32.wav sox -q -n -r 22050 -c 1 -e floating-point -b 32 wave_float32.wav synth 0.3 sine 440
make wave_s24.wav sox -q -n -r 22050 -c 2 -b 24 wave_s24.wav synth 0.3 sine 440
# MPEG layer II files (twolame) with their decoding by mpg123, for the codec's
# comparison against a reference decoder; and a one-subband sine
make mp2_stereo48.wav sox -q -n -r 48000 -c 2 -b 16 mp2_stereo48.wav synth 2 sine 440 sine 1000 gain -3
make mp2_stereo48.mp2 twolame --quiet -b 192 -m s mp2_stereo48.wav mp2_stereo48.mp2
make mp2_stereo48.pcm mpg123 -q --outfile mp2_stereo48.pcm mp2_stereo48.mp2
make mp2_joint44.wav sox -q -n -r 44100 -c 2 -b 16 mp2_joint44.wav synth 2 sine 300 sine 5000 gain -1
make mp2_joint44.mp2 twolame --quiet -b 128 -m j mp2_joint44.wav mp2_joint44.mp2
make mp2_joint44.pcm mpg123 -q --outfile mp2_joint44.pcm mp2_joint44.mp2
make mp2_mono24.wav sox -q -n -r 24000 -c 1 -b 16 mp2_mono24.wav synth 2 sine 300 gain -3
make mp2_mono24.mp2 twolame --quiet -b 64 -m m mp2_mono24.wav mp2_mono24.mp2
make mp2_mono24.pcm mpg123 -q --outfile mp2_mono24.pcm mp2_mono24.mp2
make mp2_sine3375.wav sox -q -n -r 48000 -c 1 -b 16 mp2_sine3375.wav synth 2 sine 3375 gain -12
make mp2_sine3375.mp2 twolame --quiet -b 192 -m m mp2_sine3375.wav mp2_sine3375.mp2
# MP3 files for the stream scanner: variable bitrate with a Xing header, and
# constant bitrate with ID3v1 and ID3v2 tags
make tone440_vbr.mp3 lame --quiet --noreplaygain -V 4 tone440.wav tone440_vbr.mp3
make tone440_tags.mp3 lame --quiet --noreplaygain -b 128 --add-id3v2 --pad-id3v2 --tt "Scanner Title" --ta "Scanner Artist" --tl "Scanner Album" --ty 2024 --tc "Note" --tg 17 tone440.wav tone440_tags.mp3
# MPEG layer III files (lame -t, no Info frame) at MPEG-1, 2 and 2.5 rates,
# mono, stereo and joint stereo, CBR and VBR, and noise bursts that force
# short blocks; each with mpg123's decoding for the comparison
make l3_music.wav sox -q -n -r 44100 -c 2 -b 16 l3_music.wav synth 3 pluck 110 pluck 165 synth 3 sine amod 0.5 30 gain -6
make l3_clicks.wav sox -q -n -r 44100 -c 2 -b 16 l3_clicks.wav synth 0.02 whitenoise pad 0 0.25 repeat 8 gain -6
make l3_m1_stereo_cbr.mp3 lame --quiet -t -b 128 -m s l3_music.wav l3_m1_stereo_cbr.mp3
make l3_m1_joint_vbr.mp3 lame --quiet -t -V 2 -m j l3_music.wav l3_m1_joint_vbr.mp3
make l3_m1_mono_48k.mp3 lame --quiet -t -b 64 -m m --resample 48 l3_music.wav l3_m1_mono_48k.mp3
make l3_m1_joint_32k.mp3 lame --quiet -t -b 96 -m j --resample 32 l3_music.wav l3_m1_joint_32k.mp3
make l3_m1_clicks.mp3 lame --quiet -t -b 160 -m j l3_clicks.wav l3_m1_clicks.mp3
make l3_m2_joint_22k.mp3 lame --quiet -t -b 64 -m j --resample 22.05 l3_music.wav l3_m2_joint_22k.mp3
make l3_m2_mono_24k.mp3 lame --quiet -t -b 32 -m m --resample 24 l3_music.wav l3_m2_mono_24k.mp3
make l3_m2_stereo_16k_vbr.mp3 lame --quiet -t -V 5 -m s --resample 16 l3_music.wav l3_m2_stereo_16k_vbr.mp3
make l3_m2_clicks.mp3 lame --quiet -t -b 48 -m j --resample 22.05 l3_clicks.wav l3_m2_clicks.mp3
make l3_m25_joint_11k.mp3 lame --quiet -t -b 32 -m j --resample 11.025 l3_music.wav l3_m25_joint_11k.mp3
make l3_m25_mono_12k.mp3 lame --quiet -t -b 24 -m m --resample 12 l3_music.wav l3_m25_mono_12k.mp3
make l3_m25_stereo_8k.mp3 lame --quiet -t -b 16 -m s --resample 8 l3_music.wav l3_m25_stereo_8k.mp3
for f in l3_m1_stereo_cbr l3_m1_joint_vbr l3_m1_mono_48k l3_m1_joint_32k l3_m1_clicks l3_m2_joint_22k l3_m2_mono_24k l3_m2_stereo_16k_vbr l3_m2_clicks l3_m25_joint_11k l3_m25_mono_12k l3_m25_stereo_8k; do make $f.pcm mpg123 -q --no-gapless --outfile $f.pcm $f.mp3; done
# The same music with lame's header frame ("Info" for constant, "Xing" for
# variable bitrate) before the audio, at each side-information size, with
# mpg123's decoding without gapless trimming
make l3_info_cbr.mp3 lame --quiet -b 128 -m j l3_music.wav l3_info_cbr.mp3
make l3_info_vbr.mp3 lame --quiet -V 2 -m j l3_music.wav l3_info_vbr.mp3
make l3_info_mono_cbr.mp3 lame --quiet -b 64 -m m l3_music.wav l3_info_mono_cbr.mp3
make l3_info_m2_vbr.mp3 lame --quiet -V 4 -m j --resample 22.05 l3_music.wav l3_info_m2_vbr.mp3
make l3_info_m2_mono_cbr.mp3 lame --quiet -b 64 -m m --resample 24 l3_music.wav l3_info_m2_mono_cbr.mp3
for f in l3_info_cbr l3_info_vbr l3_info_mono_cbr l3_info_m2_vbr l3_info_m2_mono_cbr; do make $f.pcm mpg123 -q --no-gapless --outfile $f.pcm $f.mp3; done
# track import: a short tone as WAV, and as MP3 without and with ID3v2 tags (ISO-8859-1 texts)
make import_tone.wav sox -q -n -r 22050 -c 1 -b 16 import_tone.wav synth 1 sine 330 gain -6
make import_plain.mp3 lame --quiet --noreplaygain -b 64 import_tone.wav import_plain.mp3
make import_latin1.mp3 lame --quiet --noreplaygain -b 64 --add-id3v2 --id3v2-latin1 --tt "Import Title" --ta "Import Artist" --tl "Import Album" --ty 2021 --tg 17 import_tone.wav import_latin1.mp3
# a folder whose subfolder holds a link back to it (walks must not loop)
[ -L import_loop/sub/back ] || { mkdir -p import_loop/sub && cp import_plain.mp3 import_loop/a.mp3 && cp import_plain.mp3 import_loop/sub/b.mp3 && ln -s .. import_loop/sub/back; }
# Pictures for the picture loader: red left half, blue right half (JPEG,
# GIF) and a green icon
make pic_red_blue_64x32.jpg convert -size 32x32 xc:'#FF0000' -size 32x32 xc:'#0000FF' +append -quality 95 pic_red_blue_64x32.jpg
make pic_red_blue_40x20.gif convert -size 20x20 xc:'#FF0000' -size 20x20 xc:'#0000FF' +append pic_red_blue_40x20.gif
make pic_green_32.ico convert -size 32x32 xc:'#00A000' pic_green_32.ico
# Tag reading: an MP3 whose ID3v2 texts (tempo included) are UTF-16, as
# other programs write them, and a WAV shorter than one second
make tags_utf16.mp3 lame --quiet --noreplaygain -b 128 --id3v2-only --id3v2-utf16 --tt " Wide Title " --ta "Wide Artist" --tv TBPM=120 tone440.wav tags_utf16.mp3
make tags_short.wav sox -q -n -r 8000 -c 1 -b 8 tags_short.wav synth 0.5 sine 300
# an MP3 with an ID3v1 tag only
make tags_v1only.mp3 lame --quiet --noreplaygain -b 128 --id3v1-only --tt "Old Title" --ta "Old Artist" --tl "Old Album" --ty 1987 --tc "Old Note" --tg 9 tone440.wav tags_v1only.mp3
# A tagged MP3 with Latin-1 ID3v2 texts, for the folder listing of the track lists
make tone440_latin1.mp3 lame --quiet --noreplaygain -b 128 --add-id3v2 --id3v2-latin1 --tt "Folder Title" --ta "Folder Artist" tone440.wav tone440_latin1.mp3
# Decks: a 150 Hz and a 5000 Hz sine in both channels, 3 s, as an MP3 (the
# equalizer's low band against its high bands)
make deck_low_high.wav sh -c 'sox -q -n -r 44100 -c 2 -b 16 deck_low.tmp.wav synth 3 sine 150 gain -12 && sox -q -n -r 44100 -c 2 -b 16 deck_high.tmp.wav synth 3 sine 5000 gain -12 && sox -q -m deck_low.tmp.wav deck_high.tmp.wav deck_low_high.wav && rm -f deck_low.tmp.wav deck_high.tmp.wav'
make deck_low_high.mp3 lame --quiet --noreplaygain -b 192 -t deck_low_high.wav deck_low_high.mp3
# Tempo detection: click tracks (stereo, 128 kbps) and four-to-the-floor drum
# loops with a bass line, swing or noise (mono, 96 kbps) at 90, 120, 128 and 174 BPM, drawn by
# make-tempo-loop.py; and two seconds of silence
loop=$(cd "$OLDPWD" && cd "$(dirname "$0")" && pwd)/make-tempo-loop.py  # cd "$dir" above moved away
for bpm in 90 120 128 174; do
  make tempo_click_$bpm.mp3 sh -c "python3 '$loop' tempo_click_$bpm.tmp.wav $bpm --style click --seconds 15 && sox -q tempo_click_$bpm.tmp.wav -c 2 tempo_click_$bpm.st.wav && lame --quiet --noreplaygain -b 128 tempo_click_$bpm.st.wav tempo_click_$bpm.mp3; r=\$?; rm -f tempo_click_$bpm.tmp.wav tempo_click_$bpm.st.wav; exit \$r"
done
make tempo_loop_90.mp3 sh -c "python3 '$loop' tempo_loop_90.tmp.wav 90 --style house --bass --swing 0.1 --seconds 15 --seed 3 && lame --quiet --noreplaygain -b 96 -m m tempo_loop_90.tmp.wav tempo_loop_90.mp3; r=\$?; rm -f tempo_loop_90.tmp.wav; exit \$r"
make tempo_loop_120.mp3 sh -c "python3 '$loop' tempo_loop_120.tmp.wav 120 --style house --bass --noise 0.2 --seconds 15 --seed 4 && lame --quiet --noreplaygain -b 96 -m m tempo_loop_120.tmp.wav tempo_loop_120.mp3; r=\$?; rm -f tempo_loop_120.tmp.wav; exit \$r"
make tempo_loop_128.mp3 sh -c "python3 '$loop' tempo_loop_128.tmp.wav 128 --style house --bass --seconds 15 --seed 5 && lame --quiet --noreplaygain -b 96 -m m tempo_loop_128.tmp.wav tempo_loop_128.mp3; r=\$?; rm -f tempo_loop_128.tmp.wav; exit \$r"
make tempo_loop_174.mp3 sh -c "python3 '$loop' tempo_loop_174.tmp.wav 174 --style house --bass --noise 0.1 --seconds 15 --seed 6 && lame --quiet --noreplaygain -b 96 -m m tempo_loop_174.tmp.wav tempo_loop_174.mp3; r=\$?; rm -f tempo_loop_174.tmp.wav; exit \$r"
make tempo_silence.mp3 sh -c "sox -q -n -r 44100 -c 2 -b 16 tempo_silence.tmp.wav trim 0 2 && lame --quiet --noreplaygain -b 128 tempo_silence.tmp.wav tempo_silence.mp3; r=\$?; rm -f tempo_silence.tmp.wav; exit \$r"

# The main window's two decks at once: 5 s tones of 330 Hz and 880 Hz, as
# MP3 files with their titles, one for deck A and one for deck B.
make decks_a330.wav sox -q -n -r 44100 -c 2 -b 16 decks_a330.wav synth 5 sine 330 gain -6
make decks_a330.mp3 lame --quiet --noreplaygain -b 128 --add-id3v2 --tt "Deck Tone A" --ta "Tavrix Tests" decks_a330.wav decks_a330.mp3
make decks_b880.wav sox -q -n -r 44100 -c 2 -b 16 decks_b880.wav synth 5 sine 880 gain -6
make decks_b880.mp3 lame --quiet --noreplaygain -b 128 --add-id3v2 --tt "Deck Tone B" --ta "Tavrix Tests" decks_b880.wav decks_b880.mp3
# AutoMix over three short tracks: 6 s tones of 330, 550 and 880 Hz as MP3
# files with their titles.
for f in 330 550 880; do
  make automix_$f.mp3 sh -c "sox -q -n -r 44100 -c 2 -b 16 automix_$f.tmp.wav synth 6 sine $f gain -6 && lame --quiet --noreplaygain -b 128 --add-id3v2 --tt 'AutoMix Tone $f' --ta 'Tavrix Tests' automix_$f.tmp.wav automix_$f.mp3; r=\$?; rm -f automix_$f.tmp.wav; exit \$r"
done
# A small music library for the main window's library: the 5 s 330 Hz tone
# as MP3 files with real-looking tags (title, artist, album, genre, year).
lib() { # number title artist album genre year
  make library_$1.mp3 lame --quiet --noreplaygain -b 128 --add-id3v2 --ignore-tag-errors --tt "$2" --ta "$3" \
    --tl "$4" --tg "$5" --ty "$6" decks_a330.wav library_$1.mp3
}
lib 1 "Midnight Drive" "Nova Lane" "City Lights" "Synthwave" 2019
lib 2 "Golden Hour" "The Palms" "Shoreline" "Indie Pop" 2021
lib 3 "Neon Rain" "Nova Lane" "City Lights" "Synthwave" 2019
lib 4 "Into The Deep" "Marea" "Tides" "Deep House" 2020
lib 5 "Paper Planes" "Lucy Vale" "Skyward" "Electropop" 2018
lib 6 "Slow Burn" "Marea" "Tides" "Deep House" 2020
lib 7 "Afterglow" "Kite Season" "Afterglow" "Disco" 2022
lib 8 "Firefly" "Lucy Vale" "Skyward" "Electropop" 2018
