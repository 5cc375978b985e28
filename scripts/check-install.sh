#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a built tree into a temporary prefix and checks it as a user and a
# software centre meet it: the two programs, the desktop entry, icons,
# AppStream metainfo and man pages are there and valid, nothing else lands
# outside the prefix, and the installed tuner runs and takes a screenshot.
# Usage: scripts/check-install.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${1:-build}
ID=org.ovratuner.OvraTuner
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
problems=0
fail() { echo "check-install: $*" >&2; problems=$((problems + 1)); }

DESTDIR="" cmake --install "$BUILD" --prefix "$prefix" >"$work/install.log"
# Every line of the install log names a file under the prefix.
if grep -E '^-- (Installing|Up-to-date):' "$work/install.log" | grep -v -- " $prefix/" >&2; then
  fail "files installed outside the prefix (above)"
fi

for file in bin/ovratuner bin/ovratuner-analyze \
  share/applications/$ID.desktop share/metainfo/$ID.metainfo.xml \
  share/icons/hicolor/scalable/apps/$ID.svg \
  share/man/man1/ovratuner.1.gz share/man/man1/ovratuner-analyze.1.gz; do
  [ -s "$prefix/$file" ] || fail "missing $file"
done
for size in 16 22 24 32 48 64 128 256 512; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$ID.png
  file -b "$png" 2>/dev/null | grep -q "PNG image data, $size x $size" || fail "no ${size} px icon"
done

desktop-file-validate "$prefix/share/applications/$ID.desktop" || fail "desktop entry invalid"
grep -qx "Icon=$ID" "$prefix/share/applications/$ID.desktop" || fail "desktop entry names another icon"
appstreamcli validate --no-net "$prefix/share/metainfo/$ID.metainfo.xml" >"$work/appstream.log" ||
  { cat "$work/appstream.log" >&2; fail "metainfo invalid"; }

for page in ovratuner ovratuner-analyze; do
  out=$(MANWIDTH=80 man -l "$prefix/share/man/man1/$page.1.gz" 2>"$work/man.err") || true
  [ -s "$work/man.err" ] && { cat "$work/man.err" >&2; fail "man $page warns"; }
  grep -q "EXIT STATUS" <<<"$out" || fail "man $page does not render"
done

version=$(sed -n 's/^project(OvraTuner VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
# --version: the name and version, then the copyright and the licence.
for pair in OvraTuner:ovratuner ovratuner-analyze:ovratuner-analyze; do
  name=${pair%%:*} program=${pair#*:}
  "$prefix/bin/$program" --version >"$work/version" || fail "installed $program --version fails"
  [ "$(head -n 1 "$work/version")" = "$name $version" ] || fail "installed $program --version"
  grep -q "^License GPLv3+: GNU GPL version 3 or later" "$work/version" ||
    fail "installed $program --version names no licence"
done
# The built-in skin travels in the binary: a screenshot from the installed
# tree needs nothing from the source or build folders.
if ! (cd "$work" && XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen \
  "$prefix/bin/ovratuner" --screenshot shot.png --after 1 >/dev/null 2>"$work/run.err"); then
  cat "$work/run.err" >&2
  fail "installed ovratuner cannot take a screenshot"
fi
file -b "$work/shot.png" 2>/dev/null | grep -q "PNG image data, 640 x 920" || fail "screenshot not 640 x 920"

if [ "$problems" -ne 0 ]; then
  echo "check-install: $problems problem(s)" >&2
  exit 1
fi
echo "check-install: installed tree OK ($(find "$prefix" -type f | wc -l) files)"
