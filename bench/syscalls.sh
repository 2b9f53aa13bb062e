#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
# System calls that write to standard output, per call of each routine
# path, counted by strace with regina running bench/syscalls.rexx, with
# standard output a file, a pipe and a terminal (a pseudo-terminal made by
# script(1)).
#
# usage: syscalls.sh LIBRARY_FOLDER [N]
set -eu
folder=$1 calls=${2:-100}
program=$(dirname "$0")/syscalls.rexx
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LD_LIBRARY_PATH="$folder"

# writes: the writes to standard output in the last trace, per call.
writes() {
  grep -c -E '^[0-9]+ +write\(1,' "$work/trace" |
    awk -v n="$calls" '{ printf "%g", $1 / n }'
}
trace="strace -f -qq -e trace=write -o $work/trace regina $program"

printf '%-26s %6s %6s %9s\n' path file pipe terminal
for path in empty_loop load_funcs dereg_func output_from_rexx \
  output_from_rexx_refused output_from_c_refused output_from_c \
  exchange_data exchange_data_wrong_count; do
  $trace "$path" "$calls" >"$work/output"
  file=$(writes)
  $trace "$path" "$calls" | cat >/dev/null
  pipe=$(writes)
  script -q -e -c "$trace $path $calls" /dev/null >/dev/null </dev/null
  terminal=$(writes)
  printf '%-26s %6s %6s %9s\n' "$path" "$file" "$pipe" "$terminal"
done
