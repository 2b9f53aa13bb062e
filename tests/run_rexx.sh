#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
# Runs a REXX program in the interpreter with the library from FOLDER and
# compares everything it prints with EXPECTED.  The interpreter looks for a
# package in REGINA_ADDON_DIR before its add-on folder and the loader path,
# so an installed copy cannot stand in for the build.
#
# usage: run_rexx.sh FOLDER PROGRAM EXPECTED INTERPRETER...
# INTERPRETER is the command that runs the interpreter: regina itself, or
# regina behind valgrind or an emulator.
set -u
folder=$1 program=$2 expected=$3
shift 3
actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
REGINA_ADDON_DIR=$folder "$@" "$program" >"$actual" 2>&1
status=$?
if [ "$status" -ne 0 ]; then
  cat "$actual"
  echo "$* exited with $status"
  exit 1
fi
diff -u "$expected" "$actual"
