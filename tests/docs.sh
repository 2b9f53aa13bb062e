#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# The documents stay true to the project: in every Markdown file that git
# tracks, each relative link leads to a tracked file, each --preset names a
# preset that CMake knows, and each ctest -R or -L selects a test of the
# build.  Names with capitals (ARCH, NAME) stand for any and are not looked
# up.
#
# usage: docs.sh CMAKE CTEST SOURCE_DIR BUILD_DIR
set -uo pipefail
cmake=$1 ctest=$2 source=$3 build=$4
cd "$source" || exit 1
tracked=$(git ls-files)
presets=$("$cmake" --list-presets=all 2>/dev/null | sed -n 's/^ *"\([^"]*\)".*/\1/p' | sort -u)
failures=0
fail() {
  echo "$1"
  failures=$((failures + 1))
}

while IFS= read -r doc; do
  dir=$(dirname "$doc")
  # Links: [text](target), without the part after #.
  while IFS= read -r target; do
    target=${target%%#*}
    case $target in "" | *://* | mailto:*) continue ;; esac
    path=$(realpath -m --relative-to=. "$dir/$target")
    grep -qxF -- "$path" <<<"$tracked" || grep -q "^$path/" <<<"$tracked" ||
      fail "$doc: the link to $target leads to no tracked file"
  done < <(grep -o -E '\]\([^) ]+\)' "$doc" | sed 's/^](\(.*\))$/\1/')
  while IFS= read -r name; do
    [[ $name =~ [A-Z] ]] && continue
    grep -qxF -- "$name" <<<"$presets" || fail "$doc: there is no preset $name"
  done < <(grep -o -E -- '--preset[= ][A-Za-z0-9_-]+' "$doc" | sed 's/^--preset[= ]//')
  while IFS= read -r option; do
    read -r flag value <<<"$option"
    [[ $value =~ [A-Z] ]] && continue
    total=$("$ctest" --test-dir "$build" -N "$flag" "$value" | sed -n 's/^Total Tests: //p')
    [ "${total:-0}" -gt 0 ] || fail "$doc: ctest $flag $value selects no test"
  done < <(grep -E 'ctest ' "$doc" | grep -o -E -- ' -[RL] [^ `]+' | sed 's/^ //')
done < <(git ls-files '*.md')

echo "$failures broken references"
[ "$failures" -eq 0 ]
