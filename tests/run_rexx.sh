#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
# Runs a REXX program in the interpreter with the library from FOLDER on
# the loader path and compares everything it prints with EXPECTED.
#
# usage: run_rexx.sh FOLDER PROGRAM EXPECTED INTERPRETER...
# INTERPRETER is the command that runs the interpreter: regina itself, or
# regina behind valgrind or an emulator.
set -u
folder=$1 program=$2 expected=$3
shift 3
actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
LD_LIBRARY_PATH="$folder${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
  "$@" "$program" >"$actual" 2>&1
status=$?
if [ "$status" -ne 0 ]; then
  cat "$actual"
  echo "$* exited with $status"
  exit 1
fi
diff -u "$expected" "$actual"
