#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
# Instructions per call of each routine path and of its floor, counted by
# callgrind: the same figures on every run, however busy the machine.
# Each path runs N times, then its floor N times; a routine's count is its
# inclusive count (what it runs, with the C library calls it makes, but not
# the kernel's work for a system call) divided by N.
#
# usage: instructions.sh CALLS_PROGRAM [N]
set -eu
program=$1 calls=${2:-10000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# inclusive FUNCTION-PATTERN: the function's inclusive count, per call.
# callgrind_annotate splits a function's cost into lines by source file,
# naming the files relative to the current folder where it can, so the
# whole is the largest of the lines that name the function.
inclusive() {
  grep -E "$1" "$work/annotated" | awk -v n="$calls" \
    '{ gsub(",", "", $1); if ($1 + 0 > most) most = $1 + 0 } END { printf "%.0f", most / n }'
}

printf '%-26s %11s %8s %7s\n' path 'instr/call' floor ratio
"$program" --paths | while read -r path routine; do
  valgrind --tool=callgrind --callgrind-out-file="$work/out" \
    "$program" --count "$path" "$calls" 2>/dev/null
  callgrind_annotate --inclusive=yes --threshold=100 "$work/out" \
    >"$work/annotated"
  mine=$(inclusive ":$routine( \[[^]]*\])?\$")
  floor=$(inclusive 'floor_routine<')
  printf '%-26s %11s %8s %6.2fx\n' "$path" "$mine" "$floor" \
    "$(echo "$mine $floor" | awk '{ print $1 / $2 }')"
done
