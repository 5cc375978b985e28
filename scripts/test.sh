#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds and runs the whole test suite:
# the normal build, its Debian package, a plain Release build, the ASan+UBSan
# build, the TSan build, a bounded fuzz run and the WebAssembly core.
# OVRA_TEST_STAGES picks a subset, e.g. OVRA_TEST_STAGES="default" for a quick run.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

# How big the tests are against the product (printed, not a gate).
./scripts/test-ratio.sh

STAGES=${OVRA_TEST_STAGES:-"default package release asan tsan fuzz web"}
JOBS=${OVRA_JOBS:-$(nproc)}
failed=()

# Every source file names its licence.
scripts/check-spdx.sh || failed+=("spdx")

# A virtual microphone (PulseAudio null sink + remap source) for the tests
# that go through the real audio stack; it is stopped on exit.
if [ -x scripts/virtual-mic.sh ]; then
  eval "$(scripts/virtual-mic.sh start)"
  trap 'scripts/virtual-mic.sh stop' EXIT
fi

for stage in $STAGES; do
  echo "=== $stage ==="
  case $stage in
    default|asan|tsan)
      cmake --preset "$stage" >/dev/null
      cmake --build --preset "$stage" -j "$JOBS"
      ctest --preset "$stage" -j "$JOBS" || failed+=("$stage")
      if [ "$stage" = asan ]; then
        # Thirty quits at random moments against a virtual microphone of
        # their own (scripts/stress-quit.sh 300 for the long run).
        scripts/stress-quit.sh 30 build-asan || failed+=("asan-stress-quit")
      fi
      ;;
    package)
      # The .deb and the install tree, from the default stage's build.
      scripts/check-package.sh build || failed+=("$stage")
      ;;
    release)
      # A packager's build: no preset, no -Werror, the whole tree.
      cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release >/dev/null
      cmake --build build-release -j "$JOBS"
      ctest --test-dir build-release -j "$JOBS" --output-on-failure --timeout 300 ||
        failed+=("$stage")
      ;;
    web)
      # The browser edition: the golden files through the WebAssembly core,
      # the binding's test, the page's checks and the browser tests (which
      # compare the page with the default stage's desktop program).
      OVRA_JOBS=$JOBS OVRA_DESKTOP=build/src/app/ovratuner scripts/web.sh --check || failed+=("$stage")
      ;;
    fuzz)
      if [ -x scripts/fuzz.sh ]; then
        scripts/fuzz.sh "${OVRA_FUZZ_SECONDS:-60}" || failed+=("$stage")
      fi
      ;;
    *) echo "unknown stage: $stage" >&2; exit 2 ;;
  esac
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED stages: ${failed[*]}" >&2
  exit 1
fi
echo "All test stages passed: $STAGES"
