#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Lists every source file without an SPDX-License-Identifier line near its top,
# and every file no rule in scripts/spdx-kinds.sh covers; exits 1 if there is
# any. scripts/add-spdx.sh adds the missing lines.
# Usage: scripts/check-spdx.sh [FILE...]   (default: every tracked file)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/spdx-kinds.sh
. "$here/spdx-kinds.sh"
cd "$here/.."

if [ $# -gt 0 ]; then
  files=$(printf '%s\n' "$@")
else
  files=$(spdx_files)
fi

missing=0 unknown=0 checked=0
while IFS= read -r file; do
  [ -n "$file" ] || continue
  style=$(spdx_style "$file")
  case $style in
    exempt) ;;
    '')
      echo "$file (no rule for this kind of file in scripts/spdx-kinds.sh)"
      unknown=$((unknown + 1))
      ;;
    *)
      checked=$((checked + 1))
      if ! spdx_has_line "$file"; then
        echo "$file"
        missing=$((missing + 1))
      fi
      ;;
  esac
done <<<"$files"

if [ $((missing + unknown)) -ne 0 ]; then
  echo "check-spdx: $missing file(s) without an SPDX-License-Identifier line," \
    "$unknown of a kind no rule covers (scripts/add-spdx.sh adds the lines)" >&2
  exit 1
fi
echo "check-spdx: $checked file(s) name their licence" >&2
