#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
# Runs every benchmark and prints its table: the in-process cost of each
# routine path beside its floor, instructions per call, system calls per
# call, calls through the interpreter beside RexxUtil, and the footprint.
#
# usage: run.sh BUILD_FOLDER [quick]
# quick: tiny counts, only to show that everything builds and runs.
set -eu
build=$1
here=$(dirname "$0")
if [ "${2:-}" = quick ]; then
  min_time=0.001 instructions=100 syscalls=5 interpreted=200 embedded=80
else
  min_time=0.5 instructions=100000 syscalls=1000 interpreted=1000000
  embedded=800000
fi
regutil=$(ls /usr/lib/*/regina-rexx/*/libregutil.so | head -n 1)

echo "== Machine"
echo "$(nproc) cores, $(sed -n 's/^model name\t*: //p' /proc/cpuinfo | head -n 1)"
echo "$(g++ --version | head -n 1); $(regina -v 2>&1)"

echo
echo "== In process: nanoseconds per call (Google Benchmark)"
report=$(mktemp)
trap 'rm -f "$report"' EXIT
"$build/bench/calls" --benchmark_min_time="$min_time" \
  --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
  2>"$report"
sed -n '/^path /,$p' "$report"

echo
echo "== In process: instructions per call (callgrind, $instructions calls)"
sh "$here/instructions.sh" "$build/bench/calls" "$instructions"

echo
echo "== Writes to standard output per call (strace, regina, $syscalls calls)"
sh "$here/syscalls.sh" "$build" "$syscalls"

echo
echo "== Through the interpreter: microseconds per call ($interpreted calls)"
REGINA_ADDON_DIR=$build regina "$here/calls.rexx" "$interpreted" 2>&1 >/dev/null

echo
echo "== Embedded: calls per second on 1 and 8 threads (threaded_host)"
if [ -x "$build/threaded_host" ]; then
  printf '%-22s %7s %8s %10s\n' routine threads calls calls/s
  for routine in Api_Output_From_REXX Api_Exchange_Data; do
    # The printing routine is far slower: a tenth of the calls.
    total=$embedded
    [ "$routine" = Api_Exchange_Data ] && total=$((embedded / 10))
    for threads in 1 8; do
      REGINA_ADDON_DIR=$build "$build/threaded_host" --routine "$routine" \
        "$threads" $((total / threads)) 2>&1 >/dev/null |
        sed -n 's/.* \([0-9]*\) calls\/s, every reply right$/\1/p' |
        awk -v r="$routine" -v t="$threads" -v n="$total" \
          '{ printf "%-22s %7s %8s %10s\n", r, t, n, $1 } END { if (!NR) exit 1 }'
    done
  done
else
  echo "threaded_host was not built (libregina3-dev)"
fi

echo
echo "== Footprint"
sh "$here/footprint.sh" "$build/libmorvelin.so" "$regutil"
