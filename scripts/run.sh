#!/usr/bin/env bash
# Installs what is missing, builds, and starts the tuner.
# Extra arguments go to the tuner (try --help).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default

if [ -x build/src/app/ovratuner ]; then
  exec build/src/app/ovratuner "$@"
fi
# Until the screen is there, the main job is the headless analysis.
exec build/tools/ovratuner-analyze "${@:-examples/a2-110hz.wav}"
