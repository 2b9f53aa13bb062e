#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
# rexx_package() called from a subfolder's CMakeLists.txt: a package that
# the generator writes, moved below a top project that adds it with
# add_subdirectory(), installs and packages; and its Debian package, built
# twice in two folders a second apart, has the same bytes, so its time
# stamps are the fixed ones; and its release tarball, which git makes, is
# skipped with a word of why, as the package is not a git checkout.
#
# usage: subfolder_package.sh CMAKE SOURCE_DIR
set -u
cmake=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset SOURCE_DATE_EPOCH
"$cmake" -D NAME=subpkg -D DEST="$work/top/pkg" -P "$source/cmake/new-package.cmake" >/dev/null || exit 1
sed -i '/^cmake_minimum_required\|^project(/d' "$work/top/pkg/CMakeLists.txt"
printf '%s\n' 'cmake_minimum_required(VERSION 3.25)' \
  'project(subpkg VERSION 0.1.0 LANGUAGES CXX)' 'add_subdirectory(pkg)' >"$work/top/CMakeLists.txt"
for build in one two; do
  sleep 1
  {
    "$cmake" -S "$work/top" -B "$work/$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF -DREXX_DEBIAN_PACKAGE=ON &&
      "$cmake" --build "$work/$build" &&
      DESTDIR="$work/$build/stage" "$cmake" --install "$work/$build" &&
      (cd "$work/$build" && cpack -G DEB)
  } >"$work/$build.log" 2>&1 || { cat "$work/$build.log"; exit 1; }
done
cmp "$work"/one/subpkg_*.deb "$work"/two/subpkg_*.deb || exit 1
# Outside a git checkout, the release tarball is skipped, saying why.
"$cmake" --build "$work/one" --target release_tarball 2>&1 | grep 'release tarball skipped: .* is not a git checkout' ||
  exit 1
echo "from a subfolder: installed, and $(basename "$work"/one/subpkg_*.deb) built twice to the same bytes"
