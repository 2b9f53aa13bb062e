#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# rexx-kit migrate on a package that the generator of the kit 1.4.0 wrote,
# taken from this checkout's history, with a maintainer and a description
# of its own: what it must carry over, write, remove and keep.  Then the
# package configures.
#
# usage: migrate.sh CMAKE SOURCE_DIR
set -uo pipefail
cmake=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/kit-1.4.0"
git -C "$source" cat-file -e '841126b^{commit}' 2>/dev/null ||
  { echo "the history lacks the kit 1.4.0 (a shallow clone): skipped"; exit 77; }
git -C "$source" archive 841126b | tar -x -C "$work/kit-1.4.0" || exit 1
"$cmake" -D NAME=oldx -D DEST="$work/oldx" -P "$work/kit-1.4.0/cmake/new-package.cmake" >/dev/null || exit 1
cd "$work/oldx" || exit 1
sed -i 's/^  MAINTAINER ".*"$/  MAINTAINER "Ada Lovelace <ada@example.invalid>"/
  s/^\(a text .*\)"$/\1\n\nA second paragraph."/' CMakeLists.txt
cp src/oldx.cpp packaging/targets "$work/"
output=$(bash "$source/kit/rexx-kit" migrate 2>&1) || { echo "$output"; exit 1; }
failures=0 passed=0

# Each row: what | a command that must succeed.
rows=(
  "rexx_package() loses its Debian arguments|! grep -E '^  (SUMMARY|DESCRIPTION|MAINTAINER) |^a text|paragraph' CMakeLists.txt"
  "rexx_package() keeps the rest|grep -q -x '  DOCS README.md demo.rexx)' CMakeLists.txt"
  "the version is raised in CMakeLists.txt|grep -q '^project(oldx VERSION 0.1.1 ' CMakeLists.txt"
  "and in debian/changelog|head -n 1 debian/changelog | grep -q -x 'oldx (0.1.1) unstable; urgency=medium'"
  "the maintainer is carried over|grep -q -x 'Maintainer: Ada Lovelace <ada@example.invalid>' debian/control"
  "the summary is the description's first line|grep -q -x 'Description: example functions for the Regina REXX interpreter' debian/control"
  "the description is its body, a blank line as .|grep -q -x ' \\.' debian/control && grep -q -x ' A second paragraph.' debian/control"
  "debian/rules includes the kit's rules|grep -q -x 'include kit/rules.mk' debian/rules && [ -x debian/rules ]"
  "kit/ holds the build part|[ -f kit/rules.mk ] && [ -f kit/RexxPackage.cmake ] && cmp -s kit/VERSION '$source/kit/VERSION'"
  "kit/ loses the old tool|[ ! -e kit/rexx-kit ] && [ ! -e kit/cross-debian.cmake ] && [ ! -e kit/releases ]"
  "packaging/changelog.Debian is gone|[ ! -e packaging/changelog.Debian ] && [ ! -e packaging/changelog.Debian.license ]"
  "the sources are kept|cmp -s src/oldx.cpp '$work/oldx.cpp' && cmp -s packaging/targets '$work/targets'"
  "the presets lose package and cross|! grep -q -E '\"name\": \"(package|cross|package-cross)\"' CMakePresets.json"
  "it configures|'$cmake' -S . -B build -G Ninja -DBUILD_TESTING=OFF >/dev/null"
  "and a second migrate refuses|! bash '$source/kit/rexx-kit' migrate"
)
for row in "${rows[@]}"; do
  IFS='|' read -r what command <<<"$row"
  if bash -c "$command" >/dev/null 2>&1; then
    passed=$((passed + 1))
  else
    failures=$((failures + 1))
    echo "FAILED: $what: $command"
  fi
done
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
