#!/usr/bin/env bash
# Runs the golden analyses listed in examples/expected/runs.txt with an
# ovratuner-analyze binary and compares its output with the expected files.
#   scripts/golden.sh check  [ANALYZE]   (exit 1 and a unified diff on mismatch)
#   scripts/golden.sh update [ANALYZE]   (rewrites the expected files: review!)
# ANALYZE defaults to build/tools/analyze/ovratuner-analyze.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-check}
analyze=$(realpath "${2:-build/tools/analyze/ovratuner-analyze}")
status=0
while read -r expected arguments; do
  case $expected in '' | '#'*) continue ;; esac
  # shellcheck disable=SC2086 # the arguments are words
  actual=$(cd examples && "$analyze" $arguments; printf x)
  actual=${actual%x}
  if [ "$mode" = update ]; then
    printf %s "$actual" > "examples/expected/$expected"
  elif ! diff -u "examples/expected/$expected" <(printf %s "$actual") \
      --label "expected/$expected" --label "ovratuner-analyze $arguments"; then
    status=1
  fi
done < examples/expected/runs.txt
exit $status
