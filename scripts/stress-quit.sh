#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts and quits the tuner against the virtual microphone many times and
# counts the runs that end with status 0: quitting while a microphone is open
# must never crash (a PulseAudio assertion at exit once aborted it).
#
#   scripts/stress-quit.sh [COUNT] [BUILD_DIR]     # default: 300 build
#   scripts/stress-quit.sh 30 build-asan           # the short version, for CI
#
# Each run is one of (chosen at random):
#   - `--screenshot ... --after T` with T random in 0..2.5 s (the program quits
#     itself; two runs in five);
#   - a plain run sent SIGTERM at a random moment 0..2.5 s after capture started;
#   - a plain run sent SIGTERM within the first 100 ms of capture (quit while
#     the microphone is still being opened);
#   - `--list-devices` (connects to the sound server and ends at once);
#   - every RESTART_EVERY-th run (offset by half), the sound server is frozen
#     (SIGSTOP) as capture starts and the tuner gets SIGTERM 1.5 s later.
# Every RESTART_EVERY-th run (default 10) the sound server is restarted at a
# random moment 0..1.5 s after capture started. A run still going after 60 s
# has its threads' stacks written to its log (with gdb) and is killed. A note
# is played into the virtual microphone most of the time, so that capture is
# really hearing something when quitting.
# A build configured with OVRA_SANITIZE=address gets the ASan+UBSan settings
# of CMakePresets.json's asan test preset.
#
# Environment: OVRA_VMIC_DIR (the sound server's folder; default a private
# one, stopped at the end), OVRA_STRESS_JOBS (runs at once, default 1), OVRA_STRESS_LOAD=1
# (keep the other cores busy), OVRA_STRESS_KEEP (folder for the logs of
# failed runs; default a temporary folder, printed), RESTART_EVERY.
# Prints one line per failed run, and as its last line "N passed, M failed".
# Exit status 0 when every run passed.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

COUNT=${1:-300}
BUILD=${2:-build}
JOBS=${OVRA_STRESS_JOBS:-1}
RESTART_EVERY=${RESTART_EVERY:-10}
TUNER=$BUILD/src/app/ovratuner
RUN_TIMEOUT=60

[ -x "$TUNER" ] || { echo "stress-quit: no $TUNER (build it first)" >&2; exit 2; }
command -v sox >/dev/null || { echo "stress-quit: sox is needed" >&2; exit 2; }

WORK=$(mktemp -d /tmp/ovra-stress.XXXXXX)
KEEP=${OVRA_STRESS_KEEP:-$WORK/failed}
mkdir -p "$KEEP"

if grep -q '^OVRA_SANITIZE:.*=address' "$BUILD/CMakeCache.txt" 2>/dev/null; then
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export LSAN_OPTIONS=suppressions=$ROOT/tests/sanitizers/lsan.supp
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME=$WORK/config
# A sound server of its own, so that its restarts touch no other test run.
export OVRA_VMIC_DIR=${OVRA_VMIC_DIR:-$WORK/vmic}

eval "$(scripts/virtual-mic.sh start)" || { echo "stress-quit: no virtual microphone" >&2; exit 2; }
# Restarts change these process ids: virtual-mic.sh reads them from its folder.
unset OVRA_VMIC_PULSE_PID OVRA_VMIC_PAREC_PID

# What the microphone hears: a G3 with its harmonics, played over and over.
sox -n -r 44100 -b 16 -c 1 "$WORK/g3.wav" synth 20 sawtooth 196 gain -12 2>/dev/null ||
  sox -n -r 44100 -b 16 -c 1 "$WORK/g3.wav" synth 20 sine 196 gain -6
PLAYER=
LOADERS=()
cleanup() {
  [ -n "$PLAYER" ] && kill "$PLAYER" 2>/dev/null
  for pid in "${LOADERS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  scripts/virtual-mic.sh stop
  [ -z "$(ls -A "$KEEP" 2>/dev/null)" ] && rm -rf "$WORK"
}
trap cleanup EXIT
(while :; do paplay "$WORK/g3.wav" 2>/dev/null || sleep 0.5; done) &
PLAYER=$!

if [ "${OVRA_STRESS_LOAD:-0}" = 1 ]; then
  for _ in $(seq 1 "$(nproc)"); do
    (while :; do :; done) &
    LOADERS+=($!)
  done
fi

# A random number of milliseconds in 0..$1.
random_ms() { echo $((RANDOM * 32768 + RANDOM)) | awk -v max="$1" '{print $1 % (max + 1)}'; }
seconds() { awk -v ms="$1" 'BEGIN { printf "%.3f", ms / 1000 }'; }

# Waits (up to 30 s) until the log has a line with $2 or the process $1 ended.
wait_for_log() {
  local pid=$1 text=$2 log=$3
  for _ in $(seq 1 3000); do
    grep -q "$text" "$log" 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.01
  done
  return 1
}

# Ends a run that takes longer than RUN_TIMEOUT: its threads' stacks go to
# its log (when gdb is there), then it is killed.
watchdog() {
  local pid=$1 log=$2
  sleep "$RUN_TIMEOUT"
  kill -0 "$pid" 2>/dev/null || return 0
  echo "[stress-quit: still running after $RUN_TIMEOUT s]" >>"$log"
  if command -v gdb >/dev/null; then
    timeout 60 gdb -q -batch -p "$pid" -ex "thread apply all bt 30" >>"$log" 2>&1
  fi
  kill -KILL "$pid" 2>/dev/null
}

# One run; its status is written to $dir/status, its output to $dir/log.
one_run() {
  local index=$1 dir=$WORK/run$1
  mkdir -p "$dir"
  local mode=$((RANDOM % 5)) restart=0 delay pid status guard restarter=
  [ "$RESTART_EVERY" -gt 0 ] && [ $((index % RESTART_EVERY)) -eq 0 ] && restart=1
  [ "$RESTART_EVERY" -gt 1 ] && [ $((index % RESTART_EVERY)) -eq $((RESTART_EVERY / 2)) ] && mode=5
  delay=$(random_ms 2500)
  case $mode in
    5)
      # The sound server stops answering while capture opens the input (Qt
      # 6.4 then waits for ever there), and the user quits.
      echo "run $index: sound server frozen as capture starts, SIGTERM 1.5 s later" >"$dir/what"
      "$TUNER" >"$dir/log" 2>&1 &
      pid=$!
      watchdog "$pid" "$dir/log" &
      guard=$!
      local server
      server=$(head -n 1 "$OVRA_VMIC_DIR/pid" 2>/dev/null)
      if wait_for_log "$pid" "Version" "$dir/log" && [ -n "$server" ]; then
        kill -STOP "$server"
        sleep 1.5
        kill -TERM "$pid" 2>/dev/null
        wait "$pid"
        status=$?
        kill -CONT "$server"
      else
        kill -TERM "$pid" 2>/dev/null
        wait "$pid"
        status=$?
      fi
      kill "$guard" 2>/dev/null
      wait "$guard" 2>/dev/null
      echo "$status" >"$dir/status"
      return
      ;;
    0 | 1)
      mode=0
      echo "run $index: --after $(seconds "$delay")" >"$dir/what"
      "$TUNER" --screenshot "$dir/out.png" --after "$(seconds "$delay")" >"$dir/log" 2>&1 &
      pid=$!
      ;;
    4)
      mode=0
      restart=0 # without a server it rightly says there is no microphone
      echo "run $index: --list-devices" >"$dir/what"
      "$TUNER" --list-devices >"$dir/log" 2>&1 &
      pid=$!
      ;;
    *)
      [ $mode -eq 3 ] && delay=$(random_ms 100)
      echo "run $index: SIGTERM $(seconds "$delay") s after capture started" >"$dir/what"
      "$TUNER" >"$dir/log" 2>&1 &
      pid=$!
      ;;
  esac
  watchdog "$pid" "$dir/log" &
  guard=$!
  if [ $restart -eq 1 ]; then
    # Once capture has started: a restart while Qt 6.4 is still reading the
    # device list at start-up hangs it there (its wait for the replies is
    # never woken when the connection fails), which is no quitting matter.
    echo " (sound server restarted 0..1.5 s after capture started)" >>"$dir/what"
    (wait_for_log "$pid" "Starting audio trapper" "$dir/log" &&
      sleep "$(seconds "$(random_ms 1500)")" &&
      scripts/virtual-mic.sh restart >/dev/null 2>&1) &
    restarter=$!
  fi
  if [ $mode -ne 0 ]; then
    if wait_for_log "$pid" "Starting audio trapper" "$dir/log"; then
      sleep "$(seconds "$delay")"
      kill -TERM "$pid" 2>/dev/null
    fi
  fi
  wait "$pid"
  status=$?
  kill "$guard" 2>/dev/null
  wait "$guard" 2>/dev/null
  [ -n "$restarter" ] && wait "$restarter"
  echo "$status" >"$dir/status"
}

passed=0
failed=0
stuck=0
collect() {
  local index=$1 dir=$WORK/run$1 status
  status=$(cat "$dir/status" 2>/dev/null || echo "?")
  # Quit while a capture thread was stuck (in Qt 6.4, opening a stream as the
  # server went away waits for ever): the program must end all the same.
  grep -q "capture thread is still running" "$dir/log" 2>/dev/null && stuck=$((stuck + 1))
  if [ "$status" = 0 ]; then
    passed=$((passed + 1))
    rm -rf "$dir"
  else
    failed=$((failed + 1))
    mv "$dir" "$KEEP/run$index"
    echo "FAILED $(tr -d '\n' <"$KEEP/run$index/what") -> status $status; log: $KEEP/run$index/log"
    grep -m 3 -E "Assertion|ERROR: |runtime error|Aborting" "$KEEP/run$index/log" | sed 's/^/    /'
  fi
}

index=0
while [ $index -lt "$COUNT" ]; do
  batch=()
  pids=()
  for _ in $(seq 1 "$JOBS"); do
    [ $index -lt "$COUNT" ] || break
    index=$((index + 1))
    one_run $index &
    pids+=($!)
    batch+=($index)
  done
  for p in "${pids[@]}"; do wait "$p"; done
  for i in "${batch[@]}"; do collect "$i"; done
  if [ $((index % 50)) -eq 0 ]; then
    echo "... $index runs: $passed passed, $failed failed" >&2
  fi
done

[ $stuck -gt 0 ] && echo "($stuck runs quit with a capture thread that had not ended)"
[ $failed -gt 0 ] && echo "logs of the failed runs: $KEEP"
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
