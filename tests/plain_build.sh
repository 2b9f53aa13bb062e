#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
# The build most people try first, with no preset and no build type, and a
# Debug build: each builds the library, and its own artifact test passes,
# holding the library to every rule that such a build can keep.
#
# usage: plain_build.sh CMAKE CTEST SOURCE_DIR
set -u
cmake=$1 ctest=$2 source=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
for type in "" Debug; do
  build=$work/build$type
  if "$cmake" -S "$source" -B "$build" -DCMAKE_BUILD_TYPE="$type" >"$work/log" 2>&1 &&
    "$cmake" --build "$build" --target morvelin >>"$work/log" 2>&1 &&
    "$ctest" --test-dir "$build" -R '^artifact$' --output-on-failure >>"$work/log" 2>&1; then
    echo "ok: a build of type \"$type\""
  else
    cat "$work/log"
    echo "FAILED: a build of type \"$type\""
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ]
