#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# Every report that a routine prints reaches standard output in exactly one
# system call, the first report of the process included, whether standard
# output is a file, a pipe or a terminal: N calls of each printing path
# must make N writes.
#
# usage: one_write_per_report.sh FOLDER INTERPRETER...
set -euo pipefail
folder=$1
shift
calls=20
failures=0
for path in output_from_c exchange_data exchange_data_wrong_count; do
  read -r file pipe terminal < <(bash "$(dirname "$0")/count_writes.sh" \
    "$folder" "$path" "$calls" "$@")
  verdict=ok
  for count in "$file" "$pipe" "$terminal"; do
    [ "$count" -eq "$calls" ] || verdict=FAILED
  done
  [ "$verdict" = ok ] || failures=$((failures + 1))
  echo "$verdict: $path, $calls reports: $file writes to a file," \
    "$pipe to a pipe, $terminal to a terminal"
done
[ "$failures" -eq 0 ]
