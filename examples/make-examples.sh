#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the example recordings (16-bit mono, 8000 Hz): guitar-like notes of
# five harmonics. The expected analyses in expected/ were written from these
# files by ovratuner-analyze and checked by hand; remaking a recording means
# reviewing its expected file again. No dither, so a remake is bit-identical
# (the two held notes predate that and were made with dither).
set -euo pipefail
cd "$(dirname "$0")"

partials() {  # partials FUNDAMENTAL_HZ
  awk -v f="$1" 'BEGIN { for (h = 1; h <= 5; h++) printf "sine %.4f ", f * h }'
}

# tone FILE SECONDS FUNDAMENTAL_HZ EFFECTS...
tone() {
  local file=$1 seconds=$2 hz=$3
  shift 3
  # shellcheck disable=SC2046 # one word per synth argument
  sox -n -r 8000 -c 5 -t sox - synth "$seconds" $(partials "$hz") 2>/dev/null |
    sox -t sox - -D -r 8000 -b 16 -c 1 "$file" remix 1v0.35,2v0.25,3v0.15,4v0.1,5v0.06 "$@"
}

# A held string: steady, fading over its last seconds.
tone a2-110hz.wav 6 110 fade q 0.005 6 4.5
tone g3-196hz.wav 6 196 fade q 0.005 6 4.5

# A plucked D string: half a second of silence, a quick attack, a long
# logarithmic decay, then silence again.
tone d3-pluck.wav 3 146.8324 fade q 0.003 3 2.9 pad 0.5 1

# All six strings in turn, low E to high E, a second each.
for hz in 82.4069 110 146.8324 195.9977 246.9417 329.6276; do
  tone "sweep-$hz.wav" 1 "$hz" fade q 0.01 1 0.05
done
sox sweep-82.4069.wav sweep-110.wav sweep-146.8324.wav sweep-195.9977.wav \
  sweep-246.9417.wav sweep-329.6276.wav strings-sweep.wav
rm -f sweep-*.wav

# A faint B string, 40 dB down: near the volume threshold.
tone quiet-b3.wav 4 246.9417 gain -40

# For other tunings: a low D (drop D's lowest string), and an A string tuned
# to A4 = 442 Hz.
tone d2-73hz.wav 4 73.4162 fade q 0.005 4 3
tone a2-110.5hz.wav 4 110.5 fade q 0.005 4 3
