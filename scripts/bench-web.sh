#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The browser edition's sizes and speed beside the desktop program, as one
# table (bench/web/web_bench.mjs); nothing is asserted. Builds the site and
# the desktop program first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/web.sh --build >/dev/null
[ -f build/CMakeCache.txt ] || cmake --preset default >/dev/null
cmake --build build --target ovratuner -j "${OVRA_JOBS:-2}" >/dev/null
(cd web && [ -d node_modules ] || npm ci --no-audit --no-fund --loglevel=error)
node bench/web/web_bench.mjs
