#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a built tree (cpack -G DEB) and checks it:
# its contents, the dependencies dpkg-shlibdeps found, lintian's verdict,
# that apt can satisfy it on this Debian, and that the unpacked programs run.
# Usage: scripts/check-package.sh [BUILD_DIR]   (default: build)
# The .deb is left in BUILD_DIR.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
problems=0
fail() { echo "check-package: $*" >&2; problems=$((problems + 1)); }

rm -f "$BUILD"/ovratuner_*.deb
(cd "$BUILD" && cpack -G DEB >"$work/cpack.log") || { cat "$work/cpack.log" >&2; exit 1; }
deb=$(ls "$BUILD"/ovratuner_*_"$(dpkg --print-architecture)".deb)
echo "check-package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6multimedia6 libsndfile1 libsamplerate0 libc6; do
  grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib"
done

dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents"
for file in ./usr/bin/ovratuner ./usr/bin/ovratuner-analyze \
  ./usr/share/applications/org.ovratuner.OvraTuner.desktop \
  ./usr/share/metainfo/org.ovratuner.OvraTuner.metainfo.xml \
  ./usr/share/man/man1/ovratuner.1.gz ./usr/share/doc/ovratuner/copyright; do
  grep -qx -- "$file" "$work/contents" || fail "package lacks $file"
done

# Errors fail; warnings are printed for the reader.
lintian --no-tag-display-limit "$deb" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
grep -q '^E: ' "$work/lintian.log" && fail "lintian reports errors"

# Would apt find everything it needs? (Simulated: changes nothing.)
if [ -n "$(ls /var/lib/apt/lists/*Packages 2>/dev/null)" ]; then
  apt-get install -s -q "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; fail "apt cannot install the package"; }
fi

# The unpacked programs run from their own tree.
dpkg-deb -x "$deb" "$work/root"
[ "$("$work/root/usr/bin/ovratuner" --version | head -n 1)" = "OvraTuner $(dpkg-deb -f "$deb" Version)" ] ||
  fail "packaged ovratuner --version"
"$work/root/usr/bin/ovratuner-analyze" --help >/dev/null || fail "packaged ovratuner-analyze"

if [ "$problems" -ne 0 ]; then
  echo "check-package: $problems problem(s)" >&2
  exit 1
fi
echo "check-package: OK"
