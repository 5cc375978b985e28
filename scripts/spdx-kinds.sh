# SPDX-License-Identifier: GPL-3.0-or-later
# Which files carry an SPDX-License-Identifier line and in which comment form;
# sourced by scripts/check-spdx.sh and scripts/add-spdx.sh.
# shellcheck shell=bash

SPDX_LICENSE=GPL-3.0-or-later
# The line must be within the first lines of a file (after a #! line, an XML
# declaration and the like).
SPDX_HEAD_LINES=10

# Prints how a file writes a comment line: "//", "#", "/*" (C block),
# "<!--" (XML, HTML, Markdown), ".\"" (roff), "exempt" for files that need no
# line, or nothing when no rule covers the file (a new kind of file: add a
# rule here rather than let it pass unchecked).
spdx_style() {
  local path=$1 name=${1##*/}
  # Exempt by place: inputs read byte for byte by tests and the fuzzer, and
  # the expected outputs of the golden runs.
  case $path in
    fuzz/corpus/* | */fuzz/corpus/*) echo exempt; return ;;
    tests/*/data/* | */tests/*/data/*) echo exempt; return ;;
    # Qt Linguist catalogues: lupdate rewrites them whole and drops comments.
    translations/*.ts) echo exempt; return ;;
  esac
  # Exempt by name: the licence itself, Debian's changelog (no comment form)
  # and its machine-readable copyright file (the licence statement itself).
  case $name in
    LICENSE | COPYING | changelog | copyright) echo exempt; return ;;
    CMakeLists.txt) echo '#'; return ;;
    runs.txt) echo '#'; return ;; # golden runs; scripts/golden.sh skips # lines
    .gitignore | .gitattributes | .clang-format | .clang-tidy | .editorconfig) echo '#'; return ;;
  esac
  # A template is commented like the file it makes (Version.hpp.in, ovratuner.1.in).
  case $name in
    *.in) name=${name%.in} ;;
  esac
  case $name in
    *.cpp | *.hpp | *.cc | *.cxx | *.hxx | *.c | *.h) echo '//' ;;
    *.js | *.mjs | *.cjs | *.jsx | *.ts | *.mts | *.cts | *.tsx) echo '//' ;;
    *.sh | *.bash | *.py | *.cmake | *.yml | *.yaml | *.toml) echo '#' ;;
    *.supp | *.dict | *.desktop | *.conf) echo '#' ;;
    *.css | *.qss | *.cfg) echo '/*' ;;
    *.xml | *.svg | *.qrc | *.ui | *.html | *.htm | *.md) echo '<!--' ;;
    *.[1-9]) echo '.\"' ;;
    # Formats without comments, pictures, sounds and data.
    *.json | *.webmanifest | *.csv | *.tsv | *.txt) echo exempt ;;
    *.png | *.jpg | *.jpeg | *.gif | *.ico | *.webp) echo exempt ;;
    *.wav | *.flac | *.ogg | *.mp3) echo exempt ;;
    *.gz | *.zip | *.deb) echo exempt ;;
    *.*) ;;
    # A script without an extension (.ci/run) says what it is in its #! line.
    *) if [ "$(head -c 2 -- "$path" 2>/dev/null)" = '#!' ]; then echo '#'; fi ;;
  esac
}

# The comment line for a style.
spdx_line() {
  case $1 in
    '//') echo "// SPDX-License-Identifier: $SPDX_LICENSE" ;;
    '#') echo "# SPDX-License-Identifier: $SPDX_LICENSE" ;;
    '/*') echo "/* SPDX-License-Identifier: $SPDX_LICENSE */" ;;
    '<!--') echo "<!-- SPDX-License-Identifier: $SPDX_LICENSE -->" ;;
    '.\"') echo ".\\\" SPDX-License-Identifier: $SPDX_LICENSE" ;;
  esac
}

# True when the file already names its licence near the top.
spdx_has_line() {
  head -n "$SPDX_HEAD_LINES" -- "$1" | grep -q 'SPDX-License-Identifier:'
}

# The files to look at, one per line, relative to the current folder (the top
# of the tree): the tracked files in a Git work tree, otherwise every file
# outside build folders (an unpacked `git archive`).
spdx_files() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files --cached | while IFS= read -r file; do
      [ -f "$file" ] && [ ! -L "$file" ] && printf '%s\n' "$file"
    done
  else
    find . \( -name .git -o -path './build*' -o -path ./out \) -prune -o -type f -print |
      sed 's|^\./||' | LC_ALL=C sort
  fi
}
