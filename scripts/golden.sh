#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the golden analyses listed in examples/expected/runs.txt with an
# ovratuner-analyze binary and compares its output with the expected files.
#   scripts/golden.sh check  [ANALYZE]   (exit 1 and a unified diff on mismatch)
#   scripts/golden.sh update [ANALYZE]   (rewrites the expected files: review!)
# ANALYZE defaults to build/tools/analyze/ovratuner-analyze; it may be a
# command of several words, such as the WebAssembly build's:
#   scripts/golden.sh check "node --no-experimental-fetch build-web/ovratuner-analyze.js"
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-check}
read -r -a analyze <<< "${2:-build/tools/analyze/ovratuner-analyze}"
# The runs happen in examples/: words naming files become absolute paths.
for i in "${!analyze[@]}"; do
  if [ -e "${analyze[i]}" ] || [ "$i" -eq 0 ]; then
    case ${analyze[i]} in */*) analyze[i]=$(realpath "${analyze[i]}") ;; esac
  fi
done
status=0
while read -r expected arguments; do
  case $expected in '' | '#'*) continue ;; esac
  # shellcheck disable=SC2086 # the arguments are words
  actual=$(cd examples && "${analyze[@]}" $arguments; printf x)
  actual=${actual%x}
  if [ "$mode" = update ]; then
    printf %s "$actual" > "examples/expected/$expected"
  elif ! diff -u "examples/expected/$expected" <(printf %s "$actual") \
      --label "expected/$expected" --label "${analyze[*]##*/} $arguments"; then
    status=1
  fi
done < examples/expected/runs.txt
exit $status
