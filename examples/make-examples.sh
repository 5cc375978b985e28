#!/usr/bin/env bash
# Makes the example recordings: a steady guitar-like note (five harmonics,
# 16-bit mono, 8000 Hz) that fades over its last seconds, as a held string does.
set -euo pipefail
cd "$(dirname "$0")"

note() {  # note FILE FUNDAMENTAL_HZ
  local partials
  partials=$(awk -v f="$2" 'BEGIN { for (h = 1; h <= 5; h++) printf "sine %.4f ", f * h }')
  # shellcheck disable=SC2086 # one word per synth argument
  sox -n -r 8000 -b 16 -c 5 -t wav - synth 6 $partials 2>/dev/null |
    sox - -r 8000 -b 16 -c 1 "$1" remix 1v0.35,2v0.25,3v0.15,4v0.1,5v0.06 fade q 0.005 6 4.5
}

note a2-110hz.wav 110
note g3-196hz.wav 196
