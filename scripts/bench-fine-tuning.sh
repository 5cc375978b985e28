#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs the fine-tuning benchmark: classic against fine tuning on
# synthetic plucks of known pitch, one table of accuracy, octave errors,
# jitter, response and CPU, with the Cramér–Rao bound per string and the
# accuracy targets marked met or missed. Nothing is asserted.
#   scripts/bench-fine-tuning.sh [NOTES_PER_STRING_AND_NOISE]   (default 4)
# Uses build/ (configured with the default preset when missing); builds only
# what the benchmark needs, two jobs at a time.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/CMakeCache.txt ]; then
  cmake --preset default >/dev/null
fi
cmake --build build --target fine_tuning_bench engine_bench -j2 >/dev/null
build/bench/fine_tuning_bench "${1:-4}" 2>/dev/null
echo
echo "Per call, one 2048-sample buffer (Google Benchmark):"
build/bench/engine_bench --benchmark_filter='DetectPitchByHarmonics2048|RefinePitch2048' \
  --benchmark_min_time=0.5 2>/dev/null | grep -E '^(Benchmark|BM_)'
