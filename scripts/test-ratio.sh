#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the lines of C++ under tests/ against those under src/ and tools/,
# counting lines that are neither blank nor only a comment. The aim is tests
# at about a third of the product code, and no more than 40 %.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
  git ls-files -- "$@" | grep -E '\.(cpp|hpp|h)$' | xargs -r cat |
    grep -vE '^\s*$' | grep -vE '^\s*//' | wc -l
}

tests=$(count tests)
product=$(count src tools)
awk -v t="$tests" -v p="$product" 'BEGIN {
  printf "test code: %d lines, product code (src/ + tools/): %d lines, ratio %.1f %%\n", t, p, 100 * t / p
}'
