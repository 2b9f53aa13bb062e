#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
# System calls that write to standard output, per call of each routine
# path, counted by tests/count_writes.sh: strace with regina running
# tests/repeat_calls.rexx, standard output a file, a pipe and a terminal.
#
# usage: syscalls.sh LIBRARY_FOLDER [N]
set -eu
folder=$1 calls=${2:-100}
count_writes=$(dirname "$0")/../tests/count_writes.sh

printf '%-26s %6s %6s %9s\n' path file pipe terminal
for path in empty_loop load_funcs dereg_func output_from_rexx \
  output_from_rexx_refused output_from_c_refused output_from_c \
  exchange_data exchange_data_wrong_count exchange_data_1000 exchange_data_100000; do
  bash "$count_writes" "$folder" "$path" "$calls" regina |
    awk -v path="$path" -v n="$calls" \
      '{ printf "%-26s %6g %6g %9g\n", path, $1 / n, $2 / n, $3 / n }'
done
