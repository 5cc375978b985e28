#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A virtual microphone for the tests that go through the real audio stack:
# a private PulseAudio server with a null sink "vsink" and a source "vmic"
# that hears whatever is played into the sink. Works as root, without a
# session bus and without a sound card.
#
#   eval "$(scripts/virtual-mic.sh start)"   # prints export lines; safe to repeat
#   paplay some-16-bit.wav                   # this is what the microphone hears
#   scripts/virtual-mic.sh stop
#   eval "$(scripts/virtual-mic.sh restart)" # kills the server and starts a new one,
#                                            # as when a desktop's sound server restarts
#
# The server lives in its own runtime directory (OVRA_VMIC_DIR, default
# /tmp/ovra-vmic-$UID), so it never touches a desktop's own sound server.
set -uo pipefail

DIR=${OVRA_VMIC_DIR:-/tmp/ovra-vmic-$(id -u)}
SOCKET=$DIR/native
export PULSE_RUNTIME_PATH=$DIR
export PULSE_SERVER=unix:$SOCKET

say() { echo "virtual-mic: $*" >&2; }

alive() { [ -n "${1:-}" ] && kill -0 "$1" 2>/dev/null; }

server_pid() { [ -f "$DIR/pid" ] && head -n 1 "$DIR/pid" 2>/dev/null; }

server_up() { pactl info >/dev/null 2>&1; }

start() {
  command -v pulseaudio >/dev/null && command -v pactl >/dev/null && command -v parec >/dev/null || {
    say "pulseaudio, pactl and parec are needed (scripts/install-deps.sh installs them)"
    return 1
  }
  mkdir -p "$DIR" && chmod 700 "$DIR"

  if ! server_up; then
    rm -f "$SOCKET" "$DIR/pid"
    pulseaudio --daemonize=yes -n --exit-idle-time=-1 --use-pid-file=yes \
      --log-target="newfile:$DIR/pulseaudio.log" \
      --load="module-native-protocol-unix socket=$SOCKET auth-anonymous=1" \
      --load="module-null-sink sink_name=vsink" \
      --load="module-remap-source master=vsink.monitor source_name=vmic" \
      2>>"$DIR/pulseaudio.log" || { say "pulseaudio did not start (see $DIR/pulseaudio.log)"; return 1; }
    for _ in $(seq 1 100); do
      server_up && break
      sleep 0.1
    done
    server_up || { say "pulseaudio does not answer (see $DIR/pulseaudio.log)"; return 1; }
  fi
  pactl list short sources 2>/dev/null | grep -q $'\tvmic\t' ||
    pactl load-module module-remap-source master=vsink.monitor source_name=vmic >/dev/null
  pactl set-default-sink vsink
  pactl set-default-source vmic

  # Reading the sink's monitor keeps the null sink clocked in small blocks;
  # without it the first sound reaches the microphone 1-2 s late.
  local parec_pid
  parec_pid=$(cat "$DIR/parec.pid" 2>/dev/null || true)
  if ! alive "$parec_pid"; then
    nohup parec -d vsink.monitor --latency-msec=20 >/dev/null 2>>"$DIR/parec.log" &
    parec_pid=$!
    echo "$parec_pid" >"$DIR/parec.pid"
  fi

  echo "export PULSE_RUNTIME_PATH='$DIR'"
  echo "export PULSE_SERVER='unix:$SOCKET'"
  echo "export OVRA_VMIC_PULSE_PID='$(server_pid)'"
  echo "export OVRA_VMIC_PAREC_PID='$parec_pid'"
}

stop() {
  local parec_pid pulse_pid
  parec_pid=${OVRA_VMIC_PAREC_PID:-$(cat "$DIR/parec.pid" 2>/dev/null || true)}
  pulse_pid=${OVRA_VMIC_PULSE_PID:-$(server_pid)}
  alive "$parec_pid" && kill "$parec_pid" 2>/dev/null
  rm -f "$DIR/parec.pid"
  pulseaudio --kill 2>/dev/null
  for _ in $(seq 1 50); do
    alive "$pulse_pid" || break
    sleep 0.1
  done
  alive "$pulse_pid" && kill "$pulse_pid" 2>/dev/null
  return 0
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  restart) stop && unset OVRA_VMIC_PULSE_PID OVRA_VMIC_PAREC_PID && start ;;
  *) echo "usage: $0 start|stop|restart" >&2; exit 2 ;;
esac
