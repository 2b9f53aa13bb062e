#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# What `rexx-kit check` reads of a repository, from indexes made here:
# which packages it installs for each architecture (a package for all
# architectures once, with the machine's own), which suites have packages,
# the source package of each binary one, and a package's demo as its
# CMakeLists.txt names it.
#
# usage: check-repository.sh
set -uo pipefail
script=$(cd "$(dirname "$0")/.." && pwd)/check-repository
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 passed=0
# The functions under test, as the script defines them.
source <(sed -n '/^packages() {/,/^}/p; /^source_of() {/,/^}/p; /^architectures() {/,/^}/p; /^demo_of() {/,/^}/p' "$script")
native=$(dpkg --print-architecture)
out=$work/repo

# index CODENAME ARCH STANZA...: a Packages index of "NAME ARCH [SOURCE]".
index() {
  local dir=$out/dists/$1/main/binary-$2 stanza name arch source
  shift 2
  mkdir -p "$dir"
  : >"$dir/Packages"
  for stanza in "$@"; do
    read -r name arch source <<<"$stanza"
    printf 'Package: %s\n%sVersion: 1.0\nArchitecture: %s\n\n' "$name" \
      "${source:+Source: $source$'\n'}" "$arch" >>"$dir/Packages"
  done
}
index bookworm "$native" "morvelin $native" "rexx-kit all morvelin" "zorbit $native"
index bookworm s390x "morvelin s390x" "rexx-kit all morvelin"
index bookworm armel
index trixie "$native"
printf 'project(x)\n  rexx_demo(examples/demo.rexx tests/demo.expected)\n' >"$work/CMakeLists.txt"

# Each row: what | command | what it must print (lines joined by blanks).
rows=(
  "the machine's packages, those for all too|packages bookworm $native|morvelin rexx-kit zorbit"
  "a foreign architecture's, none for all|packages bookworm s390x|morvelin"
  "the machine's packages built for it alone|packages bookworm $native only|morvelin zorbit"
  "an empty index|packages bookworm armel|"
  "a missing index|packages bookworm mips64el|"
  "suites' architectures with packages|architectures bookworm|$native s390x"
  "a suite without packages|architectures trixie|"
  "a binary package's source|source_of rexx-kit bookworm $native|morvelin"
  "a package that is its own source|source_of zorbit bookworm $native|zorbit"
  "the demo as rexx_demo() names it|demo_of $work|examples/demo.rexx tests/demo.expected"
)
for row in "${rows[@]}"; do
  IFS='|' read -r what command wanted <<<"$row"
  actual=$($command | tr '\n' ' ' | sed 's/ $//')
  if [ "$actual" = "$wanted" ]; then
    passed=$((passed + 1))
  else
    failures=$((failures + 1))
    echo "FAILED: $what: $command printed \"$actual\", not \"$wanted\""
  fi
done
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
