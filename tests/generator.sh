#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# cmake/new-package.cmake writes a package for a name that will do, and
# refuses, saying why, a name that will not, or a folder that is not
# empty.  The package it writes carries the kit's build part byte for
# byte, and not its release tool.
#
# usage: generator.sh CMAKE SOURCE_DIR
set -uo pipefail
cmake=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Each row: name | what configure must say, a grep -E pattern, or - when
# the package must be written.
rows=(
  "mathx|-"
  "my_pkg|-"
  "Bad|lower-case C identifier"
  "1x|lower-case C identifier"
  "_x|lower-case C identifier"
  "x|lower-case C identifier"
  "demo|cannot take: all, help, install"
  "test|is the name of a target"
  "package|is the name of a target"
  "release_tarball|is the name of a target"
  "clean|is the name of a target"
)
# carries_kit FOLDER: the kit's build part byte for byte, no release tool.
carries_kit() {
  local file
  for file in RexxPackage.cmake rules.mk run-rexx include/rexx_host.h VERSION; do
    cmp "$source/kit/$file" "$1/kit/$file" || return 1
  done
  [ ! -e "$1/kit/rexx-kit" ]
}
for row in "${rows[@]}"; do
  IFS='|' read -r name wanted <<<"$row"
  dest=$work/$name
  [ "$name" = my_pkg ] && dest=$work/sub/../$name # said as $work/my_pkg
  output=$("$cmake" -D NAME="$name" -D DEST="$dest" -P "$source/cmake/new-package.cmake" 2>&1)
  status=$?
  verdict=ok
  if [ "$wanted" = - ]; then
    # Written, with the kit byte for byte, and the folder said plainly.
    [ "$status" -eq 0 ] && [ -f "$work/$name/src/$name.cpp" ] && carries_kit "$work/$name" &&
      grep -q -F "into $work/$name:" <<<"$output" || verdict=FAILED
  elif [ "$status" -eq 0 ] || ! grep -q -E -- "$wanted" <<<"$output"; then
    verdict=FAILED
  fi
  [ "$verdict" = ok ] || { failures=$((failures + 1)); printf '%s\n' "$output"; }
  echo "$verdict: $name"
done
"$cmake" -D NAME=mathx -D DEST="$work/mathx" -P "$source/cmake/new-package.cmake" >"$work/again.log" 2>&1 &&
  { failures=$((failures + 1)); echo "FAILED: a folder that is not empty was written into"; } ||
  echo "ok: a folder that is not empty is refused"
[ "$failures" -eq 0 ]
