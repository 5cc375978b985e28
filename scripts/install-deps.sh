#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs everything OvraTuner needs on Debian 12, or only the packages
# named (scripts/web.sh names the browser build's). Safe to run again: it
# only calls apt when a package is missing.
#   scripts/install-deps.sh [PACKAGE...]
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git ccache
  qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qt6-qpa-plugins libgl-dev
  libsndfile1-dev libsamplerate0-dev libfast-float-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format libclang-rt-14-dev
  pulseaudio pulseaudio-utils xvfb xauth sox openbox xdotool x11-utils
  dbus-daemon
  qt6-wayland weston qt6-svg-dev
  desktop-file-utils appstream man-db lintian file dpkg-dev
)
if [ $# -gt 0 ]; then
  PACKAGES=("$@")
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}" >&2
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
