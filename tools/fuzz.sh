#!/usr/bin/env bash
# Fuzzing with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# (clang), in its own build folder build/fuzz (TAVRIX_FUZZ_DIR), apart from
# the quick native build.
#
#   fuzz.sh build                  configure and build the fuzz targets
#   fuzz.sh list                   the targets
#   fuzz.sh TARGET|all [SECONDS]   fuzz one target, or each in turn
#                                  (default 600 s each)
#   fuzz.sh brief [SECONDS]        every target briefly (default 8 s each)
#                                  from its seeds and regression inputs with
#                                  a fixed seed (FUZZ_SEED, default 1): the
#                                  pass tools/test.sh makes
#   fuzz.sh replay TARGET FILE...  run inputs once through the sanitizer build
#
# A run reads the target's seeds (fuzz/corpus/TARGET), its regression
# inputs (fuzz/regressions/TARGET) and, for the MPEG targets, the
# conformance streams of ../shared/testdata and the native build's test
# media where they exist; it writes the inputs it learns into
# build/fuzz/corpus/TARGET and its findings into build/fuzz/findings/TARGET
# (both named in its output). A finding is minimised into
# fuzz/regressions/TARGET/, where the ordinary native tests replay it: it
# fails them until the fault is mended. Extra libFuzzer options can be
# given in FUZZ_OPTIONS (e.g. "-jobs=3"); TAVRIX_FUZZ_BUILT=1 skips the
# build (for runs started side by side after one). Exit code: 0 without a
# finding.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir=${TAVRIX_FUZZ_DIR:-$root/build/fuzz}
jobs=${TAVRIX_JOBS:-$(nproc)}
testdata=${TAVRIX_TESTDATA_DIR:-$root/../shared/testdata}

TARGETS=(xml_fuzz library_file_fuzz wav_fuzz filename_fuzz mpeg_codec_fuzz mp3_scanner_fuzz id3_tag_fuzz id3v2_tag_fuzz
         shortcut_file_fuzz controller_map_fuzz request_reader_fuzz perf_data_fuzz http_reply_fuzz document_head_fuzz
         archive_fuzz older_layout_fuzz midi_input_fuzz m3u_fuzz
         tempo_fuzz url_fuzz stream_header_fuzz skin_file_fuzz cddb_reply_fuzz
         cd_catalog_fuzz effect_list_fuzz album_art_reply_fuzz)

dictionary() { # target -> dictionary file or nothing
  case $1 in
    xml_fuzz|library_file_fuzz|document_head_fuzz|m3u_fuzz|skin_file_fuzz|cd_catalog_fuzz|effect_list_fuzz) echo "$root/fuzz/dict/xml.dict" ;;
    http_reply_fuzz) echo "$root/fuzz/dict/http.dict" ;;
    url_fuzz|stream_header_fuzz) echo "$root/fuzz/dict/stream.dict" ;;
    mpeg_codec_fuzz|mp3_scanner_fuzz) echo "$root/fuzz/dict/mpeg.dict" ;;
    id3_tag_fuzz|id3v2_tag_fuzz) echo "$root/fuzz/dict/id3.dict" ;;
    wav_fuzz) echo "$root/fuzz/dict/wav.dict" ;;
    shortcut_file_fuzz|controller_map_fuzz) echo "$root/fuzz/dict/input.dict" ;;
    archive_fuzz) echo "$root/fuzz/dict/archive.dict" ;;
    older_layout_fuzz) echo "$root/fuzz/dict/xml.dict" ;;
    album_art_reply_fuzz) echo "$root/fuzz/dict/xml.dict" ;;
  esac
}

# The largest input the fuzzer makes: what the format needs to show its
# structure (the scanner's large files come from its "ZPAD" inputs).
max_len() { # target
  case $1 in
    mp3_scanner_fuzz) echo 16384 ;;
    mpeg_codec_fuzz) echo 4096 ;;
    *) echo 4096 ;;
  esac
}

# Outside seeds, read where they are and never copied.
outside_seeds() { # target
  case $1 in
    mpeg_codec_fuzz|mp3_scanner_fuzz)
      [ -d "$testdata/mpeg-conformance" ] && echo "$testdata/mpeg-conformance"
      [ -d "$root/build/native/testmedia" ] && echo "$root/build/native/testmedia"
      ;;
    wav_fuzz|id3_tag_fuzz)
      [ -d "$root/build/native/testmedia" ] && echo "$root/build/native/testmedia"
      ;;
  esac
  return 0
}

build() {
  # Runs started side by side after one build skip it (TAVRIX_FUZZ_BUILT=1).
  [ "${TAVRIX_FUZZ_BUILT:-0}" = 1 ] && return 0
  if ! command -v clang++ >/dev/null; then
    echo "fuzz.sh: clang++ is missing: run tools/setup.sh as root" >&2
    exit 1
  fi
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -DTAVRIX_NATIVE=ON -DTAVRIX_FUZZ=ON \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  cmake --build "$dir" -j "$jobs" --target fuzz_targets
}

# Runs one target for SECONDS; 0 without a finding. The brief pass keeps
# its learnt inputs, findings and logs apart (in build/fuzz/brief), so that
# it may run beside a long run.
run() { # target seconds
  local target=$1 seconds=$2
  local exe=$dir/fuzz/$target
  [ -x "$exe" ] || { echo "fuzz.sh: no target $target (fuzz.sh list)" >&2; exit 2; }
  local work=$dir
  [ "${brief:-0}" = 1 ] && work=$dir/brief
  local corpus=$work/corpus/$target findings=$work/findings/$target
  local regressions=$root/fuzz/regressions/$target
  # The brief pass starts from the seeds and regression inputs alone, with
  # a fixed seed: every machine walks the same sequence of inputs, a slower
  # one a shorter stretch of it, so a longer brief pass here covers what CI
  # tries (see docs/fuzzing.md).
  [ "${brief:-0}" = 1 ] && rm -rf "$corpus"
  mkdir -p "$corpus" "$findings" "$regressions"
  local seeds=("$root/fuzz/corpus/$target" "$regressions")
  local s
  while read -r s; do [ -n "$s" ] && seeds+=("$s"); done < <(outside_seeds "$target")
  local options=(-max_total_time="$seconds" -timeout=25 -rss_limit_mb=2560 -max_len="$(max_len "$target")"
                 -print_final_stats=1 -artifact_prefix="$findings/")
  [ "${brief:-0}" = 1 ] && options+=(-seed="${FUZZ_SEED:-1}")
  local dict
  dict=$(dictionary "$target")
  [ -n "$dict" ] && options+=(-dict="$dict")
  echo "fuzz.sh: $target for ${seconds}s; new inputs in $corpus, findings in $findings"
  mkdir -p "$work/logs"
  local before
  before=$(ls "$findings")
  local log=$work/logs/$target.log
  set +e
  # shellcheck disable=SC2086
  ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1} \
  UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
    "$exe" "${options[@]}" ${FUZZ_OPTIONS:-} "$corpus" "${seeds[@]}" >"$log" 2>&1
  local rc=$?
  set -e
  grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|stat::new_units_added)' "$log" |
    sed "s/^/fuzz.sh: $target: /" || true
  if [ $rc -eq 0 ]; then
    return 0
  fi
  echo "fuzz.sh: $target: FINDING (exit $rc); log $log" >&2
  grep -E 'ERROR|property failed|runtime error|SUMMARY' "$log" | head -n 5 >&2 || true
  local artifact
  # This run's findings only.
  for artifact in "$findings"/crash-* "$findings"/leak-* "$findings"/timeout-* "$findings"/oom-*; do
    [ -f "$artifact" ] || continue
    local name
    name=$(basename "$artifact")
    grep -qxF "$name" <<<"$before" && continue
    if [[ $name == crash-* ]]; then
      "$exe" -minimize_crash=1 -max_total_time=60 -runs=100000 -artifact_prefix="$findings/min-" \
        -exact_artifact_path="$findings/min-$name" "$artifact" >/dev/null 2>&1 || true
    fi
    if [ -f "$findings/min-$name" ]; then
      cp "$findings/min-$name" "$regressions/$name"
    else
      cp "$artifact" "$regressions/$name"
    fi
    echo "fuzz.sh: $target: regression input $regressions/$name" >&2
  done
  return 1
}

cmd=${1:-}
case $cmd in
  build) build ;;
  list) printf '%s\n' "${TARGETS[@]}" ;;
  replay)
    target=${2:?usage: fuzz.sh replay TARGET FILE...}
    shift 2
    build >/dev/null
    "$dir/fuzz/$target" "$@"
    ;;
  brief)
    seconds=${2:-8}
    brief=1
    build >/dev/null
    failed=0
    for t in "${TARGETS[@]}"; do
      run "$t" "$seconds" || failed=$((failed + 1))
    done
    echo "fuzz: ${#TARGETS[@]} targets fuzzed for ${seconds}s each, $failed with findings"
    [ $failed -eq 0 ]
    ;;
  all)
    seconds=${2:-600}
    build >/dev/null
    failed=0
    for t in "${TARGETS[@]}"; do
      run "$t" "$seconds" || failed=$((failed + 1))
    done
    [ $failed -eq 0 ]
    ;;
  ''|-h|--help)
    sed -n '2,/^set -e/p' "$0" | sed '$d' | sed 's/^# \{0,1\}//'
    ;;
  *)
    build >/dev/null
    run "$cmd" "${2:-600}"
    ;;
esac
