#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
# Checks the built library file the way the interpreter and the system
# loader see it: what it exports and needs, that it runs no code at load or
# unload, and that it is built hardened, with the protections of its own
# architecture, told by its ELF header.
#
# usage: check_artifact.sh LIBRARY [instrumented] [unoptimised]
# An instrumented build (sanitizers, coverage) carries its run time's
# dependencies, constructors and writable data, so the rules marked "bare"
# are skipped for it; an unoptimised one cannot use the fortified calls,
# so the rule marked "optimised" is.
set -u
lib=$1
shift
modes=" $* "
failures=0

dynamic=$(readelf -dW "$lib")
segments=$(readelf -lW "$lib")
notes=$(readelf -nW "$lib")
defined=$(nm -D --defined-only "$lib" | awk '{ print $3 }' | sort)
undefined=$(nm -D --undefined-only "$lib" | awk '{ print $2 }' | sort)
needed=$(printf '%s\n' "$dynamic" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | sort)

# The control-flow protection of the file's architecture, where it has
# one: indirect-branch tracking and a shadow stack on x86-64, branch target
# identification and signed return addresses on arm64.  32-bit x86 gets
# none: Linux enforces neither there, and the stack protector's helper
# that i386 links from the C library's static part lacks the marks.
machine=$(readelf -hW "$lib" | sed -n 's/^ *Machine: *//p')
case $machine in
*X86-64*) flow='x86 feature: IBT, SHSTK' ;;
AArch64) flow='AArch64 feature: BTI, PAC' ;;
"Intel 80386" | ARM | "MIPS R3000" | PowerPC64 | "IBM S/390" | RISC-V) flow="" ;;
*)
  echo "FAILED: $lib is for an architecture this check does not know ($machine)"
  exit 1
  ;;
esac

# check KIND DESCRIPTION COMMAND...: COMMAND must succeed.
check() {
  kind=$1 what=$2
  shift 2
  case "$kind:$modes" in
  bare:*" instrumented "* | optimised:*" unoptimised "*)
    echo "skipped: $what"
    return
    ;;
  esac
  if "$@" >/dev/null 2>&1; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}
is() { [ "$1" = "$2" ]; }
has() { printf '%s\n' "$1" | grep -E -q -- "$2"; }
lacks() { ! has "$@"; }

routines=$(printf '%s\n' ApiDeregFunc ApiLoadFuncs Api_Exchange_Data \
  Api_Output_From_C Api_Output_From_REXX | sort)
services='^(RexxRegisterFunctionDll|RexxDeregisterFunction)$'
foreign=$(printf '%s\n' "$undefined" | grep -E -v -e "$services" -e '@GLIBC_')

check all "exports the five routines and nothing else" is "$defined" "$routines"
check all "leaves RexxRegisterFunctionDll to the host" \
  has "$undefined" '^RexxRegisterFunctionDll$'
check all "leaves RexxDeregisterFunction to the host" \
  has "$undefined" '^RexxDeregisterFunction$'
# Where the stack protector's guard value is not kept per thread, the
# system's loader holds it, and the library needs the loader too.
allowed=libc.so.6
loader=$(printf '%s\n' "$needed" | grep -E '^ld[-.0-9a-z]*\.so\.[0-9]+$' || true)
if [ -n "$loader" ] && has "$undefined" '^__stack_chk_guard@'; then
  allowed=$(printf '%s\n' libc.so.6 "$loader" | sort)
fi
check bare "needs libc.so.6, and the loader only for the stack guard" \
  is "$needed" "$allowed"
check bare "takes every other symbol from glibc" is "$foreign" ""
check bare "runs no code at load or unload" \
  lacks "$dynamic" '\((INIT|FINI|INIT_ARRAY|FINI_ARRAY|PREINIT_ARRAY)\)'
check all "is a shared object" has "$(readelf -hW "$lib")" 'Type: +DYN'
check all "has no text relocations" lacks "$dynamic" 'TEXTREL'
check all "binds every symbol at load (BIND_NOW)" has "$dynamic" 'BIND_NOW'
check all "makes its relocated data read-only (RELRO)" has "$segments" 'GNU_RELRO'
# The sections of the writable load segment that RELRO leaves writable;
# MIPS keeps its GOT writable for the loader, by its ABI.
writable=$(printf '%s\n' "$segments" | awk -v mips="$machine" '
  /^Program Headers:/ { headers = 1; next }
  headers && /^  [A-Z]/ && $1 != "Type" {
    if ($1 == "LOAD" && / RW /) rw = n
    if ($1 == "GNU_RELRO") relro = n
    n++
  }
  /Segment Sections/ { headers = 0; mapping = 1; next }
  mapping && /^   [0-9]+/ { for (i = 2; i <= NF; i++) sections[$1 + 0] = sections[$1 + 0] " " $i " " }
  END {
    split(sections[rw], names, " ")
    for (i in names)
      if (index(sections[relro], " " names[i] " ") == 0 &&
          !(mips == "MIPS R3000" && names[i] == ".got")) print names[i]
  }')
check bare "keeps no writable data outside RELRO" is "$writable" ""
check all "has a non-executable stack" has "$segments" 'GNU_STACK.* RW  '
if [ -n "$flow" ]; then
  check all "carries the control-flow protection properties ($flow)" \
    has "$notes" "$flow"
fi
check all "is built with stack protection" has "$undefined" '^__stack_chk_fail@'
check optimised "uses the C library's fortified calls" has "$undefined" '^__[a-z]+_chk@'

echo "$failures failed"
[ "$failures" -eq 0 ]
