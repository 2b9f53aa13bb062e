#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
# Footprint of each library given: file size, what the loader has to do
# for it (dynamic relocations, libraries needed) and what it exports.
#
# usage: footprint.sh LIBRARY...
set -eu
printf '%-16s %8s %8s %12s %8s  %s\n' library bytes stripped relocations exported needed
for lib in "$@"; do
  stripped=$(mktemp)
  strip -o "$stripped" "$lib"
  printf '%-16s %8s %8s %12s %8s  %s\n' "$(basename "$lib")" \
    "$(stat -c %s "$lib")" "$(stat -c %s "$stripped")" \
    "$(readelf -rW "$lib" | grep -c -E '^[0-9a-f]{16} ')" \
    "$(nm -D --defined-only "$lib" | wc -l)" \
    "$(readelf -dW "$lib" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | tr '\n' ' ')"
  rm -f "$stripped"
done
