#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Qt-free core in WebAssembly, in build-web/: the page's module
# (ovratuner-core.mjs + .wasm) and ovratuner-analyze for node.
#   scripts/web.sh           install what is missing, configure the web preset, build
#   scripts/web.sh --build   only build (configures first if build-web/ is new)
#   scripts/web.sh --check   as the first, then the golden runs through node
#                            and the binding's test
# Installing needs root or sudo the first time, as scripts/install-deps.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
case $mode in '' | --build | --check) ;; *)
  echo "usage: scripts/web.sh [--build | --check]" >&2
  exit 2
  ;;
esac

PACKAGES=(cmake ninja-build ccache emscripten nodejs libfast-float-dev)
if [ "$mode" != --build ]; then
  scripts/install-deps.sh "${PACKAGES[@]}"
fi

# emcc's JavaScript optimiser needs Debian's acorn, which node does not find
# by itself.
export NODE_PATH=/usr/share/nodejs
if [ "$mode" != --build ] || [ ! -f build-web/build.ninja ]; then
  emcmake cmake --preset web >/dev/null
fi
cmake --build --preset web -j "${OVRA_JOBS:-2}"

if [ "$mode" = --check ]; then
  status=0
  # emcc 3.1.6's node output would otherwise fetch() its .wasm by file path.
  scripts/golden.sh check "node --no-experimental-fetch build-web/ovratuner-analyze.js" &&
    echo "golden runs through WebAssembly: passed" || status=1
  node --no-experimental-fetch tests/web/binding.test.mjs build-web/ovratuner-core.mjs || status=1
  exit $status
fi
