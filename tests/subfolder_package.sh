#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
# rexx_package() called from a subfolder's CMakeLists.txt: a package that
# the generator writes, moved below a top project that adds it with
# add_subdirectory(), builds for the Debian package as kit/rules.mk asks:
# its library and documents are installed in the add-on folder and the
# documentation folder, and the interpreter dependency is written where
# kit/rules.mk reads it, in the top build folder.
#
# usage: subfolder_package.sh CMAKE SOURCE_DIR
set -u
cmake=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cmake" -D NAME=subpkg -D DEST="$work/top/pkg" -P "$source/cmake/new-package.cmake" >/dev/null || exit 1
sed -i '/^cmake_minimum_required\|^project(/d' "$work/top/pkg/CMakeLists.txt"
printf '%s\n' 'cmake_minimum_required(VERSION 3.25)' \
  'project(subpkg VERSION 0.1.0 LANGUAGES CXX)' 'add_subdirectory(pkg)' >"$work/top/CMakeLists.txt"
{
  "$cmake" -S "$work/top" -B "$work/build" -G Ninja -DCMAKE_INSTALL_PREFIX=/usr \
    -DBUILD_TESTING=OFF -DREXX_DEBIAN_PACKAGE=ON -DREXX_REGINA_VERSION=3.6 &&
    "$cmake" --build "$work/build" &&
    DESTDIR="$work/stage" "$cmake" --install "$work/build"
} >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
installed=$(cd "$work/stage" && find . -type f | sort)
wanted="./usr/lib/$(gcc -dumpmachine 2>/dev/null || echo '*')/regina-rexx/3.6/libsubpkg.so
./usr/share/doc/subpkg/CHANGELOG.md
./usr/share/doc/subpkg/README.md
./usr/share/doc/subpkg/demo.rexx"
status=0
# shellcheck disable=SC2254
case $installed in $wanted) ;; *) echo "installed:"; echo "$installed"; status=1 ;; esac
[ "$(cat "$work/build/rexx-depends")" = "libregina3 (>= 3.6), libregina3 (<< 3.7~)" ] ||
  { echo "rexx-depends: $(cat "$work/build/rexx-depends")"; status=1; }
[ "$status" = 0 ] && echo "from a subfolder: installed as the Debian package wants it"
exit $status
