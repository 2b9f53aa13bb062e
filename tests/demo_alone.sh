#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
# The demo needs only the interpreter, a compiler and CMake: configured as
# the demo preset does, with GoogleTest, Google Benchmark and regina-config
# out of sight, it builds and prints what tests/demo.expected holds.
#
# usage: demo_alone.sh CMAKE SOURCE_DIR
set -u
cmake=$1 source=$2
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
cd "$source" || exit 1
"$cmake" --preset demo -B "$build" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
  -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON \
  -DREGINA_CONFIG=/nonexistent/regina-config >"$build/configure.log" 2>&1 ||
  { cat "$build/configure.log"; exit 1; }
"$cmake" --build "$build" --target demo >"$build/demo.log" 2>&1 ||
  { cat "$build/demo.log"; exit 1; }
sed -n '/^Registered routines:/,$p' "$build/demo.log" | diff -u tests/demo.expected -
