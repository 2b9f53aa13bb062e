#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# The release tool's own rules, each row a case that needs no build, no
# network and no root: its arguments; the folders it refuses to publish
# into, left as they were; the failures that stop a run before it builds
# anything; the list file; the choice of the mirror from apt's own
# configuration; the version suffix of each release; and a republished
# version with other bytes.
#
# usage: rexx-kit.sh
set -uo pipefail
tool=$(cd "$(dirname "$0")/.." && pwd)/rexx-kit
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 passed=0

# expect NAME STATUS PATTERN COMMAND...: COMMAND exits with STATUS and its
# output matches PATTERN (grep -E).
expect() {
  local name=$1 status=$2 pattern=$3 output actual
  shift 3
  output=$("$@" 2>&1)
  actual=$?
  if [ "$actual" = "$status" ] && grep -q -E -- "$pattern" <<<"$output"; then
    passed=$((passed + 1))
  else
    failures=$((failures + 1))
    echo "FAILED: $name: exit $actual (wanted $status), printed:"
    sed 's/^/    /' <<<"$output" | tail -n 8
  fi
}

# A package folder with a list file, and a home of its own.
package=$work/home/src/pkg
mkdir -p "$package/debian" "$work/home/empty" "$work/full"
touch "$package/debian/control" "$work/full/keep"
printf '12 amd64 arm64\n' >"$package/packaging-targets"
mkdir "$package/packaging" && mv "$package/packaging-targets" "$package/packaging/targets"
kit() { (cd "$package" && HOME=$work/home bash "$tool" "$@"); }

# Arguments.
expect "no command" 2 "^usage: rexx-kit" kit
expect "an unknown command" 2 "^usage: rexx-kit" kit publish out
expect "release without OUT" 2 "^usage: rexx-kit" kit release
expect "release with two folders" 2 "^usage: rexx-kit" kit release a b
expect "check without OUT" 2 "^usage: rexx-kit" kit check
expect "--mirror without a URL" 2 "^usage: rexx-kit" kit --mirror
expect "migrate of a package that has debian/" 1 "of a package that the kit 1.x wrote" kit migrate
expect "--version" 0 "^$(cat "$(dirname "$tool")/VERSION")$" kit --version

# Folders refused, whoever runs it, before anything is written.
ln -s "$package" "$work/link-to-package"
refused=(
  ".|holds the package's own folder"
  "..|holds the package's own folder"
  "$work/home/src/pkg/|holds the package's own folder"
  "$work/link-to-package|holds the package's own folder"
  "$work/home|your home folder"
  "$work|holds the package's own folder"
  "/|into /"
  "$work/full|holds files and is no repository that rexx-kit made"
  "$work/full/keep|is not a folder"
)
snapshot() { find "$work" -path "$work/home/.cache" -prune -o -printf '%p %s %T@\n' | sort; }
before=$(snapshot)
for row in "${refused[@]}"; do
  IFS='|' read -r folder message <<<"$row"
  expect "release $folder is refused" 1 "$message" kit release "$folder"
done
[ "$before" = "$(snapshot)" ] || { failures=$((failures + 1)); echo "FAILED: a refused release changed files"; }
# Folders taken: absent, empty, one the tool made, one inside the package.
mkdir "$work/made" && touch "$work/made/.rexx-kit-repository" "$work/made/Release"
for folder in "$work/absent" "$work/home/empty" "$work/made" out; do
  expect "out_folder $folder is taken" 0 "^/" kit out_folder "$folder"
done
expect "check of a folder the tool did not make" 1 "no repository that rexx-kit made" kit check "$work/full"

# The list file, checked against the release data.
lists=(
  "12 amd64 arm64|0|^12 arm64$"
  "# comment\n13 riscv64 # a trailing comment\ntools strace|0|^13 riscv64$"
  "12 riscv64|1|names riscv64 for Debian 12, which the kit does not build for"
  "11 amd64|1|names Debian 11, which the kit does not know"
  "bookworm amd64|1|\"bookworm\" is not a Debian release number"
  "12|1|names no architecture for Debian 12"
  "# nothing|1|names no release"
)
for row in "${lists[@]}"; do
  IFS='|' read -r list status pattern <<<"$row"
  printf "$list\n" >"$package/packaging/targets"
  expect "targets of \"$list\"" "$status" "$pattern" kit targets
done
rm "$package/packaging/targets"
expect "no list file" 1 "there is no packaging/targets here" kit targets
printf '12 amd64\n' >"$package/packaging/targets"

# The mirror: the first source of apt's own configuration that serves a
# release's own suite and is enabled; or --mirror.
mkdir -p "$work/apt/parts" "$work/apt/lists"
printf '%s\n' "Dir::Etc::SourceList \"$work/apt/list\";" "Dir::Etc::SourceParts \"$work/apt/parts\";" \
  "Dir::State::Lists \"$work/apt/lists\";" >"$work/apt/conf"
disabled='Types: deb\nURIs: http://disabled.invalid/debian\nSuites: bookworm\nComponents: main\nEnabled: no\n\n'
security='Types: deb\nURIs: http://security.invalid/debian-security\nSuites: bookworm-security\nComponents: main\n\n'
live='Types: deb\nURIs: http://live.invalid/debian/\nSuites: bookworm bookworm-updates\nComponents: main\n'
mirrors=(
  "$disabled$security$live||^http://live.invalid/debian$"
  "$security$live|deb http://one-line.invalid/debian trixie main|^http://one-line.invalid/debian$"
  "$disabled$security||apt on this machine names no Debian mirror"
)
for row in "${mirrors[@]}"; do
  IFS='|' read -r parts list pattern <<<"$row"
  printf "$parts" >"$work/apt/parts/test.sources"
  printf '%s\n' "$list" >"$work/apt/list"
  expect "mirror of $pattern" "$([[ $pattern == ^http* ]] && echo 0 || echo 1)" "$pattern" \
    env APT_CONFIG="$work/apt/conf" bash -c 'cd "$1" && bash "$2" mirror' sh "$package" "$tool"
done
expect "--mirror wins" 0 "^http://given.invalid/debian$" \
  env APT_CONFIG="$work/apt/conf" bash "$tool" --mirror http://given.invalid/debian/ mirror

# The version suffix of each release sorts below the version and above
# the release before.
for release in 12 13 14; do
  expect "suffix of $release" 0 "^~deb${release}u1$" kit suffix "$release"
done
dpkg --compare-versions "1.0$(kit suffix 12)" lt "1.0$(kit suffix 13)" &&
  dpkg --compare-versions "1.0$(kit suffix 13)" lt 1.0 &&
  dpkg --compare-versions "0.9" lt "1.0$(kit suffix 12)" && passed=$((passed + 1)) ||
  { failures=$((failures + 1)); echo "FAILED: the suffixes do not sort"; }

# A missing tool stops the run with status 2 and one apt-get line,
# before anything is written.
mkdir "$work/bin"
for command in bash cat dirname realpath mkdir ls sed awk grep sort tr find dpkg dpkg-architecture; do
  ln -s "$(command -v "$command")" "$work/bin/$command"
done
expect "a missing tool" 2 "^  sudo apt-get install --no-install-recommends dpkg-dev gpg lintian mmdebstrap reprepro sbuild uidmap zstd $" \
  env PATH="$work/bin" bash -c 'cd "$1" && HOME=$2 "$3" "$4" release "$5"' sh "$package" "$work/home" \
  "$(command -v bash)" "$tool" "$work/absent"
[ ! -e "$work/absent" ] || { failures=$((failures + 1)); echo "FAILED: a stopped run made its folder"; }

# A version published again with other bytes is refused; the same bytes
# are not.
mkdir -p "$work/repo/pool/main/p/pkg" "$work/new"
echo old >"$work/repo/pool/main/p/pkg/pkg_1.0.dsc"
echo old >"$work/new/pkg_1.0.dsc"
# republished FILE: the tool's check of FILE against the repository.
republished() {
  bash -c 'source <(sed -n "/^die()/,/^}/p; /^republished()/,/^}/p" "$1"); out=$2; republished "$3"' \
    sh "$tool" "$work/repo" "$1"
}
expect "the same bytes again" 0 "" republished "$work/new/pkg_1.0.dsc"
echo new >"$work/new/pkg_1.0.dsc"
expect "other bytes under a published name" 1 "publishes pkg_1.0.dsc already, with other bytes" \
  republished "$work/new/pkg_1.0.dsc"

# The source package: the same content gives the same bytes, whenever its
# files were touched; other content gives other bytes.
mkdir -p "$work/src/debian/source"
printf '%s\n' 'pkg (1.0) unstable; urgency=medium' '' '  * First.' '' \
  ' -- A <a@example.invalid>  Tue, 01 Dec 2026 12:00:00 +0000' >"$work/src/debian/changelog"
printf '%s\n' 'Source: pkg' 'Maintainer: A <a@example.invalid>' '' 'Package: pkg' 'Architecture: all' \
  'Description: a package' ' A package.' >"$work/src/debian/control"
echo '3.0 (native)' >"$work/src/debian/source/format"
echo text >"$work/src/file"
source_bytes() {
  (cd "$work/src" && bash -c 'source <(sed -n "/^die()/,/^}/p; /^source_package()/,/^}/p" "$1")
    lintian() { :; }; tmp=$(mktemp -d); out=/nonexistent; source_package >/dev/null; sha256sum <"$dsc"
    sha256sum <"${dsc%.dsc}.tar.xz"; rm -rf "$tmp"' sh "$tool")
}
first=$(source_bytes)
touch -d '2001-01-01' "$work/src/file"
[ "$first" = "$(source_bytes)" ] && passed=$((passed + 1)) ||
  { failures=$((failures + 1)); echo "FAILED: a touched file changed the source package's bytes"; }
echo other >"$work/src/file"
[ "$first" != "$(source_bytes)" ] && passed=$((passed + 1)) ||
  { failures=$((failures + 1)); echo "FAILED: other content gave the same source package"; }

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
