#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The browser edition: the Qt-free core in WebAssembly (the web preset, in
# build-web/) and the site a static host serves (build-web/site/).
#   scripts/web.sh           install what is missing, build, and serve the
#                            tuner at http://127.0.0.1:8080/ (OVRA_PORT)
#   scripts/web.sh --build   only build (configures first if build-web/ is new)
#   scripts/web.sh --check   install and build, then the checks: the golden
#                            runs through node, the binding's test, the page's
#                            type check and lint, and the browser tests in
#                            Debian's Chromium
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
[ "$mode" = --check ] && PACKAGES+=(chromium sox)
if [ "$mode" != --build ]; then
  scripts/install-deps.sh "${PACKAGES[@]}"
  # Some machines' Node.js brings its own npm; Debian's comes apart.
  [ "$mode" != --check ] || command -v npm >/dev/null || scripts/install-deps.sh npm
fi

# emcc's JavaScript optimiser needs Debian's acorn, which node does not find
# by itself.
export NODE_PATH=/usr/share/nodejs
if [ "$mode" != --build ] || [ ! -f build-web/build.ninja ]; then
  emcmake cmake --preset web >/dev/null
fi
cmake --build --preset web -j "${OVRA_JOBS:-2}"
node tools/web-site/build-site.mjs build-web

case $mode in
  '')
    exec node tools/web-site/serve.mjs build-web/site "${OVRA_PORT:-8080}"
    ;;
  --check)
    status=0
    # emcc 3.1.6's node output would otherwise fetch() its .wasm by file path.
    scripts/golden.sh check "node --no-experimental-fetch build-web/ovratuner-analyze.js" &&
      echo "golden runs through WebAssembly: passed" || status=1
    node --no-experimental-fetch tests/web/binding.test.mjs build-web/ovratuner-core.mjs || status=1
    # The page's checks and the browser tests need the locked npm packages.
    (cd web && npm ci --no-audit --no-fund --loglevel=error) || exit 1
    (cd web && npx tsc -p jsconfig.json && npx eslint .) && echo "page type check and lint: passed" ||
      status=1
    node --test tests/web/browser.test.mjs || status=1
    exit $status
    ;;
esac
