#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every text a user reads has a finished translation in every shipped
# language. lupdate, run over the sources exactly as the update_translations
# target runs it but into copies, must leave each catalogue as it is: a text
# added to the sources shows up as unfinished, a text gone from them as a
# change, and no translation may be unfinished or empty.
#
#   check-complete.sh LUPDATE SOURCES.lst CATALOGUE.ts...
set -euo pipefail
lupdate=$1
sources=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=0
for catalogue in "$@"; do
  copy="$work/$(basename "$catalogue")"
  cp "$catalogue" "$copy"
  "$lupdate" -locations none -no-obsolete -silent "@$sources" -ts "$copy" >"$work/log" 2>&1 ||
    { cat "$work/log"; exit 1; }
  name=$(basename "$catalogue")
  if ! diff -u "$catalogue" "$copy" >"$work/diff"; then
    echo "$name: out of step with the sources (new or removed texts):"
    grep -E '^[-+] ' "$work/diff" | grep -E '<source>|<translation' || true
    failed=1
  fi
  # A message whose translation is unfinished, vanished, obsolete or empty.
  if grep -B1 -nE '<translation( type="[a-z]+")?>(</translation>)?$|<translation/>|type="(unfinished|vanished|obsolete)"' \
      "$copy"; then
    echo "$name: the lines above have no finished translation"
    failed=1
  fi
done
if [ "$failed" -ne 0 ]; then
  echo "Translate the texts above, then: cmake --build build --target update_translations"
fi
exit "$failed"
