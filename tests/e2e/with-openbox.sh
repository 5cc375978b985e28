#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on the current X display (xvfb-run's) with the openbox
# window manager running, as on a desktop.
set -euo pipefail

openbox --sm-disable &
openbox_pid=$!
trap 'kill "$openbox_pid" 2>/dev/null || true; wait "$openbox_pid" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  if ! kill -0 "$openbox_pid" 2>/dev/null; then
    echo "openbox did not start" >&2
    exit 1
  fi
  sleep 0.1
done

status=0
"$@" || status=$?
exit "$status"
