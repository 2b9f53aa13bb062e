#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# What kit/rules.mk asks of CMake, as dpkg-buildpackage sets the
# architectures for it: a native build runs its tests directly; a cross
# build runs them under the qemu-user emulator of the host architecture,
# in qemu's spelling; the nocheck option or profile leaves them out.
#
# usage: rules.sh
set -uo pipefail
rules=$(cd "$(dirname "$0")/.." && pwd)/rules.mk
failures=0 passed=0
build=$(dpkg --print-architecture)

# Each row: host architecture | DEB_BUILD_OPTIONS | DEB_BUILD_PROFILES |
# the flags wanted.
rows=(
  "$build|||-DREXX_DEBIAN_PACKAGE=ON"
  "arm64|||-DREXX_DEBIAN_PACKAGE=ON -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/qemu-aarch64"
  "armel|||-DREXX_DEBIAN_PACKAGE=ON -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/qemu-arm"
  "armhf|||-DREXX_DEBIAN_PACKAGE=ON -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/qemu-arm"
  "i386|||-DREXX_DEBIAN_PACKAGE=ON -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/qemu-i386"
  "mips64el|||-DREXX_DEBIAN_PACKAGE=ON -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/qemu-mips64el"
  "ppc64el|||-DREXX_DEBIAN_PACKAGE=ON -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/qemu-ppc64le"
  "riscv64|||-DREXX_DEBIAN_PACKAGE=ON -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/qemu-riscv64"
  "s390x|||-DREXX_DEBIAN_PACKAGE=ON -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/qemu-s390x"
  "$build|nocheck parallel=2||-DREXX_DEBIAN_PACKAGE=ON -DBUILD_TESTING=OFF"
  "arm64||cross nocheck|-DREXX_DEBIAN_PACKAGE=ON -DBUILD_TESTING=OFF"
  "arm64||cross|-DREXX_DEBIAN_PACKAGE=ON -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/qemu-aarch64"
)
for row in "${rows[@]}"; do
  IFS='|' read -r host options profiles wanted <<<"$row"
  actual=$(
    eval "$(dpkg-architecture -f -a "$host" -s 2>/dev/null)"
    DEB_BUILD_OPTIONS=$options DEB_BUILD_PROFILES=$profiles \
      make -s -f "$rules" --eval 'rexx-show: ; @echo $(rexx_flags)' rexx-show
  )
  if [ "$actual" = "$wanted" ]; then
    passed=$((passed + 1))
  else
    failures=$((failures + 1))
    echo "FAILED: $host, options \"$options\", profiles \"$profiles\": $actual"
  fi
done
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
