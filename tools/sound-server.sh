#!/usr/bin/env bash
# A private PulseAudio server with a null sink, so that waveOut and
# DirectSound play in real time without sound hardware.
#   sound-server.sh start DIR   prints the PULSE_SERVER value to export
#   sound-server.sh stop DIR
set -euo pipefail
cmd=${1:?usage: sound-server.sh start|stop DIR}
dir=${2:?usage: sound-server.sh start|stop DIR}
mkdir -p "$dir"
sock=$dir/pulse.sock
case $cmd in
start)
  if [ -S "$sock" ] && PULSE_SERVER=unix:$sock pactl info >/dev/null 2>&1; then
    echo "unix:$sock"; exit 0
  fi
  rm -f "$sock"
  HOME=$dir XDG_RUNTIME_DIR=$dir nohup pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --disallow-exit --use-pid-file=no \
    -L "module-native-protocol-unix socket=$sock auth-anonymous=1" \
    -L "module-null-sink sink_name=tavrix_null" \
    -L "module-always-sink" >"$dir/pulse.log" 2>&1 &
  echo $! >"$dir/pulse.pid"
  for _ in $(seq 1 100); do
    if PULSE_SERVER=unix:$sock pactl info >/dev/null 2>&1; then
      PULSE_SERVER=unix:$sock pactl set-default-sink tavrix_null >/dev/null 2>&1 || true
      echo "unix:$sock"; exit 0
    fi
    sleep 0.1
  done
  echo "sound-server.sh: pulseaudio did not start (see $dir/pulse.log)" >&2
  exit 1 ;;
stop)
  if [ -f "$dir/pulse.pid" ]; then
    kill "$(cat "$dir/pulse.pid")" 2>/dev/null || true
    rm -f "$dir/pulse.pid" "$sock"
  fi ;;
*) echo "usage: sound-server.sh start|stop DIR" >&2; exit 2 ;;
esac
