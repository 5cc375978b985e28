#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/add-spdx.sh and scripts/check-spdx.sh on a small tree of their own:
# the check finds the files without the line and the kinds no rule covers, the
# line goes in the file's comment form below what must stay first, exempt
# files stay as they were, and a second run changes nothing.
# Usage: tests/desktop/spdx-test.sh SOURCE_DIR
set -euo pipefail
source_dir=$(cd "${1:?source folder}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree=$work/tree
problems=0
fail() { echo "spdx-test: $*" >&2; problems=$((problems + 1)); }

mkdir -p "$tree/scripts" "$tree/src" "$tree/man" "$tree/fuzz/corpus"
cp "$source_dir"/scripts/{add-spdx,check-spdx,spdx-kinds}.sh "$tree/scripts/"
cd "$tree"
printf '#!/bin/sh\necho hi\n' >run.sh && chmod +x run.sh
printf '#!/usr/bin/env python3\n# -*- coding: utf-8 -*-\nprint(1)\n' >tool.py
printf '<?xml version="1.0"?>\n<!DOCTYPE RCC>\n<RCC/>\n' >icons.qrc
printf "'\\\\\" t\n.TH X 1\n" >man/x.1.in
printf 'int main() {}' >src/main.cpp # no newline at the end
printf '{"a": 1}\n' >data.json
printf 'anything' >fuzz/corpus/seed.cfg
printf '// SPDX-License-Identifier: MIT\nint f();\n' >src/f.hpp
cp data.json "$work/data" && cp fuzz/corpus/seed.cfg "$work/seed"
printf 'x\n' >notes.unknownkind

# Before: every file that needs the line is listed, and the unknown kind.
if scripts/check-spdx.sh >"$work/listed" 2>/dev/null; then fail "check passes a tree without the lines"; fi
for file in run.sh tool.py icons.qrc man/x.1.in src/main.cpp "notes.unknownkind (no rule"; do
  grep -q "^$file" "$work/listed" || fail "check does not list $file"
done
for file in data.json fuzz/corpus/seed.cfg src/f.hpp scripts/check-spdx.sh; do
  grep -q "^$file" "$work/listed" && fail "check lists $file"
done

rm notes.unknownkind
scripts/add-spdx.sh >/dev/null 2>&1 || fail "add-spdx fails"
scripts/check-spdx.sh >/dev/null 2>&1 || fail "check fails after add-spdx"

line=SPDX-License-Identifier:\ GPL-3.0-or-later
expect() { # FILE LINE_NUMBER TEXT
  [ "$(sed -n "$2p" "$1")" = "$3" ] || fail "$1 line $2 is '$(sed -n "$2p" "$1")', not '$3'"
}
expect run.sh 1 '#!/bin/sh'
expect run.sh 2 "# $line"
[ -x run.sh ] || fail "run.sh lost its executable bit"
expect tool.py 2 '# -*- coding: utf-8 -*-'
expect tool.py 3 "# $line"
expect icons.qrc 2 '<!DOCTYPE RCC>'
expect icons.qrc 3 "<!-- $line -->"
expect man/x.1.in 1 "'\\\" t"
expect man/x.1.in 2 ".\\\" $line"
expect src/main.cpp 1 "// $line"
expect src/main.cpp 2 'int main() {}'
expect src/f.hpp 1 '// SPDX-License-Identifier: MIT'
cmp -s data.json "$work/data" || fail "data.json changed"
cmp -s fuzz/corpus/seed.cfg "$work/seed" || fail "the fuzz corpus changed"

cp run.sh "$work/run"
scripts/add-spdx.sh >/dev/null 2>&1
cmp -s run.sh "$work/run" || fail "a second add-spdx changes run.sh"

if [ "$problems" -ne 0 ]; then
  echo "spdx-test: $problems problem(s)" >&2
  exit 1
fi
echo "spdx-test: OK"
