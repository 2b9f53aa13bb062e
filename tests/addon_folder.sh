#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# Configures the package build against stand-in regina-config scripts and
# checks where the install rule puts the library and what the package
# depends on, or that configure stops and quotes what it was told.
#
# usage: addon_folder.sh CMAKE SOURCE_DIR
set -uo pipefail
cmake=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Each row: name | --version prints | --addons prints | wanted folder or
# error text (a grep -E pattern) | wanted upper bound | more options
missing=$work/no-such/regina-config
rows=(
  "3.6, no --addons|3.6|Usage: regina-config [OPTION]|/usr/lib/[^/]+/regina-rexx/3\.6|<< 3.7~|"
  "3.9.5 with --addons|3.9.5|/opt/regina/addons/3.9.5|/opt/regina/addons/3\.9\.5|<< 3.9.6~|"
  "garbage version|3.6 (beta)||printed \"3\.6 \(beta\)\"||"
  "no regina-config, folder named after its version|3.9.5||/opt/addons/3\.9\.5|<< 3.9.6~|-DREGINA_CONFIG=$missing -DREXX_ADDON_DIR=/opt/addons/3.9.5"
  "REGINA_CONFIG names no file|||which does not exist||-DREGINA_CONFIG=$missing"
  "no regina-config, its version given|3.6||/usr/lib/[^/]+/regina-rexx/3\.6|<< 3.7~|-DREGINA_CONFIG=$missing -DREXX_REGINA_VERSION=3.6"
)
for row in "${rows[@]}"; do
  IFS='|' read -r name version addons wanted bound options <<<"$row"
  build=$work/build
  rm -rf "$build"
  mkdir -p "$build"
  cat >"$work/regina-config" <<EOF
#!/bin/sh
case \$1 in
--version) echo '$version' ;;
*) echo '$addons' ;;
esac
EOF
  chmod +x "$work/regina-config"
  output=$("$cmake" -S "$source" -B "$build" -G Ninja -DBUILD_TESTING=OFF \
    -DREXX_DEBIAN_PACKAGE=ON -DCMAKE_INSTALL_PREFIX=/usr \
    -DREGINA_CONFIG="$work/regina-config" $options 2>&1)
  status=$?
  verdict=ok
  if [ -z "$bound" ]; then
    # Configure must stop, quoting what regina-config printed.
    if [ "$status" -eq 0 ] || ! grep -q -E -- "$wanted" <<<"$output"; then
      verdict=FAILED
    fi
  elif [ "$status" -ne 0 ] ||
    ! grep -q -E "DESTINATION \"$wanted\"" "$build/cmake_install.cmake" ||
    [ "$(cat "$build/rexx-depends")" != "libregina3 (>= $version), libregina3 ($bound)" ]; then
    verdict=FAILED
  fi
  if [ "$verdict" = FAILED ]; then
    failures=$((failures + 1))
    printf '%s\n' "$output" | tail -n 15
  fi
  echo "$verdict: $name"
done
[ "$failures" -eq 0 ]
