#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
# Installs the build into a staging folder with DESTDIR, checks that it
# installed the library and its documentation and nothing else, then runs
# a REXX program against the staged library.
#
# usage: staged_install.sh CMAKE BUILD LIBDIR DOCDIR PROGRAM EXPECTED INTERPRETER...
set -u
cmake=$1 build=$2 libdir=$3 docdir=$4 program=$5 expected=$6
shift 6
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage "$cmake" --install "$build" >/dev/null || exit 1
installed=$(cd "$stage" && find . -type f | sort)
wanted=$(printf '.%s\n' "$libdir/libmorvelin.so" "$docdir/README.md" \
  "$docdir/demo.rexx" "$docdir/changelog.gz" "$docdir/changelog.Debian.gz" \
  "$docdir/copyright" | sort)
if [ "$installed" != "$wanted" ]; then
  printf 'installed:\n%s\nwanted:\n%s\n' "$installed" "$wanted"
  exit 1
fi
sh "$(dirname "$0")/run_rexx.sh" "$stage$libdir" "$program" "$expected" "$@"
