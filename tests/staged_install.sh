#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
# Installs the build into a staging folder with DESTDIR and checks it: the
# library in LIBDIR, documents in DOCDIR and nothing elsewhere, no Debian
# changelog outside a package, and every link of the installed Markdown
# files working.  Then runs a REXX program against the staged library.
#
# usage: staged_install.sh CMAKE BUILD LIBDIR DOCDIR PROGRAM EXPECTED INTERPRETER...
set -u
cmake=$1 build=$2 libdir=$3 docdir=$4 program=$5 expected=$6
shift 6
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage "$cmake" --install "$build" >/dev/null || exit 1
elsewhere=$(cd "$stage" && find . -type f ! -path ".$docdir/*" ! -path ".$libdir/libmorvelin.so")
if [ ! -f "$stage$libdir/libmorvelin.so" ] || [ -n "$elsewhere" ] ||
  [ -e "$stage$docdir/changelog.Debian.gz" ]; then
  echo "installed:"
  (cd "$stage" && find . -type f | sort)
  exit 1
fi
kit=$(dirname "$0")/../kit
# Built for the Debian package, the documents link to the copyright file
# that debhelper adds from debian/.
[ -e "$stage$docdir/LICENSE" ] || cp "$(dirname "$0")/../debian/copyright" "$stage$docdir/"
bash "$kit/rexx-kit" links $(find "$stage$docdir" -name "*.md") || exit 1
sh "$kit/run-rexx" "$stage$libdir" "$program" "$expected" "$@"
