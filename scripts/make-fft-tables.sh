#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates src/engine/FftTwiddleValues.cpp, the transform's twiddles as
# exact constants, with this machine's compiler and C library. Run it on
# glibc (Debian), never under emscripten: the point of the file is that
# every build uses glibc's values. A change to the file is a reviewed one
# (the golden files must still pass).
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"${CXX:-g++}" -std=c++20 -O2 -ffp-contract=off -fno-fast-math -Isrc \
  tools/fft-tables/main.cpp src/engine/FftTwiddles.cpp -o "$work/make-fft-tables"
"$work/make-fft-tables" > "$work/FftTwiddleValues.cpp"
mv "$work/FftTwiddleValues.cpp" src/engine/FftTwiddleValues.cpp
