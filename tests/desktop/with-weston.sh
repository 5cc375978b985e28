#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command as a client of a headless Weston compositor of its own (the
# kiosk shell, which fills the screen as a handheld's compositor does).
set -euo pipefail

runtime=$(mktemp -d) # 0700, as Wayland wants its runtime folder
weston_pid=""
cleanup() {
  if [ -n "$weston_pid" ]; then
    kill "$weston_pid" 2>/dev/null || true
    wait "$weston_pid" 2>/dev/null || true
  fi
  rm -rf "$runtime"
}
trap cleanup EXIT

XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --shell=kiosk-shell.so \
  --socket=wayland-ovra --idle-time=0 --log="$runtime/weston.log" &
weston_pid=$!
for _ in $(seq 100); do
  [ -S "$runtime/wayland-ovra" ] && break
  if ! kill -0 "$weston_pid" 2>/dev/null; then
    echo "weston did not start:" >&2
    cat "$runtime/weston.log" >&2
    exit 1
  fi
  sleep 0.1
done

status=0
XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=wayland-ovra QT_QPA_PLATFORM=wayland "$@" || status=$?
exit "$status"
