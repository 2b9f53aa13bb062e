#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# Counts the system calls that write to standard output while the
# interpreter makes N calls of one routine path (repeat_calls.rexx), traced
# by strace, with standard output a file, a pipe and a terminal (a
# pseudo-terminal made by script(1)).  Prints the three counts.
#
# usage: count_writes.sh FOLDER PATH N INTERPRETER...
# FOLDER holds the library; INTERPRETER is the command that runs regina.
set -euo pipefail
folder=$1 path=$2 calls=$3
shift 3
program=$(dirname "$0")/repeat_calls.rexx
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export REGINA_ADDON_DIR=$folder
run=(strace -f -qq -e trace=write -o "$work/trace" "$@" "$program" "$path" "$calls")

# writes: the writes to standard output in the last trace.
writes() { grep -c -E '^[0-9]+ +write\(1,' "$work/trace" || true; }

"${run[@]}" >"$work/output"
file=$(writes)
"${run[@]}" | cat >/dev/null
pipe=$(writes)
script -q -e -c "$(printf '%q ' "${run[@]}")" /dev/null >/dev/null </dev/null
terminal=$(writes)
echo "$file $pipe $terminal"
