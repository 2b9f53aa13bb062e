#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
# The interpreter tests load the library just built, never a copy that is
# installed: kit/run-rexx runs a REXX program, traced by strace, and every
# file the interpreter tries as libmorvelin.so, up to the one it opens, must
# be the build's.  An installed copy in the interpreter's add-on folder
# would be tried, and found, first.
#
# usage: loads_build.sh FOLDER PROGRAM EXPECTED INTERPRETER...
set -u
folder=$1
trace=$(mktemp)
trap 'rm -f "$trace"' EXIT
strace -f -qq -e trace=%file -o "$trace" \
  sh "$(dirname "$0")/../kit/run-rexx" "$@" || exit 1
# The tries, up to the first that succeeded; under an emulator, a try
# inside the sysroot comes first and still ends in the build's path.
tries=$(grep -E '"[^"]*/libmorvelin\.so"' "$trace" |
  sed -n '/ = [0-9]/{p;q};p' | sed 's/^[^"]*"\([^"]*\)".*/\1/')
echo "$tries"
others=$(printf '%s\n' "$tries" | grep -v -F "$folder/libmorvelin.so")
[ -n "$tries" ] && [ -z "$others" ] && grep -q -E '"[^"]*/libmorvelin\.so".* = [0-9]' "$trace"
