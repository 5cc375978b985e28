#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates the tuner screen's artwork: every picture (1x and @2x) and
# general.cfg into resources/, the application icons into packaging/icons/,
# then the composed preview docs/artwork-preview.png.
# Usage: scripts/make-artwork.sh [build-dir]   (default: build-artwork)
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${1:-build-artwork}
cmake -S . -B "$BUILD" -G Ninja -DOVRA_MODULES="layout;ui;model" -DOVRA_BUILD_ARTWORK=ON \
  -DOVRA_BUILD_TESTS=OFF -DOVRA_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j "${OVRA_JOBS:-2}" --target ovratuner-artwork ovratuner-artwork-preview

export QT_QPA_PLATFORM=offscreen
"$BUILD"/tools/artwork/ovratuner-artwork --out resources
"$BUILD"/tools/artwork/ovratuner-artwork --icons packaging/icons
mkdir -p docs
"$BUILD"/tools/artwork/ovratuner-artwork-preview --resources resources --out docs/artwork-preview.png
# The generated layout file and scalable icon name their licence like every
# other source file (scripts/check-spdx.sh).
scripts/add-spdx.sh resources/general.cfg \
  packaging/icons/hicolor/scalable/apps/org.ovratuner.OvraTuner.svg >/dev/null
