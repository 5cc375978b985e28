#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets (preset 'fuzz', clang) and runs each for SECONDS
# (default 60) under AddressSanitizer and UndefinedBehaviorSanitizer.
# Exits non-zero on any finding; crash inputs are kept in fuzz/corpus-work/.
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_PER_TARGET=${1:-60}
TARGETS=(layout)

cmake --preset fuzz >/dev/null
for target in "${TARGETS[@]}"; do
  cmake --build --preset fuzz --target "${target}_fuzz"
done

export ASAN_OPTIONS=${ASAN_OPTIONS:-"abort_on_error=1:detect_leaks=1"}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-"print_stacktrace=1:halt_on_error=1"}

status=0
for target in "${TARGETS[@]}"; do
  # New inputs found along the way go to the work folder (not in git); the
  # seed corpus stays as committed.
  work="fuzz/corpus-work/$target"
  artifacts="fuzz/corpus-work/artifacts/$target/"
  mkdir -p "$work" "$artifacts"
  dict=()
  [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
  echo "=== fuzzing $target for ${SECONDS_PER_TARGET}s ==="
  # libFuzzer reports every new input on standard error; that goes to a log
  # next to the work corpus, and only the summary is shown here.
  log="fuzz/corpus-work/$target.log"
  if "build-fuzz/fuzz/${target}_fuzz" "$work" "fuzz/corpus/$target" "${dict[@]}" \
      -max_total_time="$SECONDS_PER_TARGET" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$artifacts" -print_final_stats=1 2>"$log"; then
    grep -E '^(#[0-9]+[[:space:]]+(INITED|DONE)|Done [0-9]+ runs|stat::)' "$log" || true
  else
    tail -n 60 "$log" >&2
    echo "fuzz target $target found a problem; inputs in $artifacts, full log in $log" >&2
    status=1
  fi
done
exit $status
