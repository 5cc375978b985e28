#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Adds "SPDX-License-Identifier: GPL-3.0-or-later", in the file's own comment
# form, at the top of every source file that has no such line: after a #!
# line, an XML declaration or document type, a roff preprocessor line or a
# Python coding line, which must stay first. Exempt files and files no rule
# covers are left alone (scripts/spdx-kinds.sh; scripts/check-spdx.sh lists
# the latter).
# Usage: scripts/add-spdx.sh [FILE...]   (default: every tracked file)
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

# How many of the file's first lines must stay above the new line.
lines_to_keep() {
  awk '
    NR == 1 && /^#!/ { keep = 1; next }
    NR <= 2 && /^#.*(-\*-.*coding[:=]|vim:.*fileencoding)/ { keep = NR; next }
    NR == 1 && /^<\?xml/ { keep = 1; next }
    NR <= 2 && NR == keep + 1 && /^<!DOCTYPE/ { keep = NR; next }
    NR == 1 && /^'"'"'\\"/ { keep = 1; next }
    { exit }
    END { print keep + 0 }
  ' "$1"
}

added=0
while IFS= read -r file; do
  [ -n "$file" ] || continue
  style=$(spdx_style "$file")
  case $style in
    exempt | '') continue ;;
  esac
  spdx_has_line "$file" && continue
  keep=$(lines_to_keep "$file")
  tmp=$(mktemp "$file.spdx.XXXXXX")
  {
    awk -v keep="$keep" 'NR <= keep' "$file" # ends the kept lines with a newline
    spdx_line "$style"
    tail -n +"$((keep + 1))" -- "$file"
  } >"$tmp"
  chmod --reference="$file" "$tmp"
  mv -- "$tmp" "$file"
  echo "$file"
  added=$((added + 1))
done <<<"$files"
echo "add-spdx: added the line to $added file(s)" >&2
