#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# The release tool's last step, on packages made here with dpkg-deb and
# dpkg-source: the throw-away key, said in the Release files' label and
# valid for 30 days; the repository that reprepro makes, with a suite per
# release, the source package and the public key; a key given as a file,
# which replaces the throw-away one; and a version published again with
# other bytes, refused with the repository left as it was.
#
# usage: publish.sh
set -uo pipefail
tool=$(cd "$(dirname "$0")/.." && pwd)/rexx-kit
command -v reprepro >/dev/null && command -v gpg >/dev/null ||
  { echo "reprepro or gpg is not installed: skipped"; exit 77; }
work=$(mktemp -d)
trap 'GNUPGHOME=$work/gnupg gpgconf --kill all 2>/dev/null; rm -rf "$work"' EXIT
failures=0 passed=0
check() {
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then passed=$((passed + 1)); else failures=$((failures + 1)); echo "FAILED: $what"; fi
}

# A source package and its binary package for Debian 12, as a build
# leaves them in the run's folder.
mkdir -p "$work/tmp/source/pkg-1.0/debian/source" "$work/tmp/debs/12" "$work/deb/DEBIAN"
(
  cd "$work/tmp/source/pkg-1.0" || exit 1
  printf '%s\n' 'pkg (1.0) unstable; urgency=medium' '' '  * First.' '' \
    ' -- A <a@example.invalid>  Wed, 09 Dec 2026 12:00:00 +0000' >debian/changelog
  printf '%s\n' 'Source: pkg' 'Section: misc' 'Priority: optional' 'Maintainer: A <a@example.invalid>' '' \
    'Package: pkg' 'Architecture: all' \
    'Description: a package' ' A package.' >debian/control
  echo '3.0 (native)' >debian/source/format
  cd .. && dpkg-source -b pkg-1.0 >/dev/null 2>&1
) || exit 1
rm -rf "$work/tmp/source/pkg-1.0"
printf '%s\n' 'Package: pkg' 'Version: 1.0~deb12u1' 'Section: misc' 'Priority: optional' 'Architecture: all' \
  'Maintainer: A <a@example.invalid>' 'Description: a package' >"$work/deb/DEBIAN/control"
dpkg-deb -b --root-owner-group "$work/deb" "$work/tmp/debs/12/pkg_1.0~deb12u1_all.deb" >/dev/null || exit 1

# run_publish NAME RUN OUT THROW_AWAY: signing_key and publish, as release
# runs them, with the run's folder RUN.
run_publish() {
  bash -c 'source <(sed -n "/^die()/,/^}/p; /^release_field()/,/^}/p; /^signing_key()/,/^}/p;
      /^republished()/,/^}/p; /^publish()/,/^}/p" "$1")
    kit=$(dirname "$1") releases_file=$kit/releases marker=.rexx-kit-repository
    tmp=$3 out=$4 throw_away=$5 fingerprint=""
    signing_key "$2" && publish "$2" "$fingerprint"' sh "$tool" "$@"
}
# publish [--throw-away-key] OUT: pkg published, in a run's folder of its own.
publish() {
  local throw="" run
  [ "$1" = --throw-away-key ] && { throw=yes; shift; }
  run=$(mktemp -d "$work/run.XXXXXX")
  cp -r "$work/tmp/." "$run/"
  run_publish pkg "$run" "$1" "$throw"
}
out=$work/repository
check "publish with a throw-away key" publish --throw-away-key "$out"
check "the label says the key is thrown away" grep -q -x 'Label: pkg (throw-away key)' "$out/dists/bookworm/Release"
check "a suite per release, signed" test -s "$out/dists/bookworm/InRelease" -a -s "$out/dists/trixie/InRelease"
check "the package is in Debian 12's suite" grep -q -x 'Package: pkg' "$out/dists/bookworm/main/binary-amd64/Packages"
check "and the source package" zgrep -q -x 'Package: pkg' "$out/dists/bookworm/main/source/Sources.gz"
check "the public key is beside it" test -s "$out/pkg-archive-keyring.gpg"
check "the marker of a repository the tool made" test -e "$out/.rexx-kit-repository"
expires=$(gpg --no-default-keyring --keyring "$out/pkg-archive-keyring.gpg" --with-colons --list-keys 2>/dev/null |
  awk -F: '$1 == "pub" { print $7 }')
days=$(((${expires:-0} - $(date +%s)) / 86400))
check "the throw-away key expires in 30 days ($days)" test "$days" -ge 29 -a "$days" -le 30
check "apt's signature check takes it" gpgv --keyring "$out/pkg-archive-keyring.gpg" "$out/dists/bookworm/InRelease"

# A key of one's own, in a file, replaces the throw-away one.
mkdir -m 700 "$work/gnupg"
GNUPGHOME=$work/gnupg gpg --batch --quiet --passphrase '' --quick-gen-key "own key" ed25519 sign 1d
(umask 077 && GNUPGHOME=$work/gnupg gpg --batch --armor --export-secret-keys >"$work/key.asc")
with_key() { REPOSITORY_KEY=$work/key.asc "$@"; }
check "publish again with a key file" with_key publish "$out"
check "the label names the package alone" grep -q -x 'Label: pkg' "$out/dists/bookworm/Release"
check "signed with the key of the file" gpgv --keyring "$out/pkg-archive-keyring.gpg" "$out/dists/trixie/InRelease"

# Another package, for Debian 13 alone, signed with a key of its own run:
# the repository keeps its name and one key file, and every suite, Debian
# 12's too, is signed anew with that key.
publish_other() {
  local run
  run=$(mktemp -d "$work/run.XXXXXX")
  mkdir -p "$run/source" "$run/debs/13"
  cp "$work"/tmp/source/* "$run/source/"
  printf '%s\n' 'Package: other' 'Version: 2.0~deb13u1' 'Section: misc' 'Priority: optional' 'Architecture: all' \
    'Maintainer: A <a@example.invalid>' 'Description: another package' >"$work/deb/DEBIAN/control"
  dpkg-deb -b --root-owner-group "$work/deb" "$run/debs/13/other_2.0~deb13u1_all.deb" >/dev/null
  run_publish other "$run" "$out" yes
}
check "another package, with a throw-away key" publish_other
check "one key file, the first package's" test "$(cd "$out" && ls -- *-archive-keyring.gpg)" = pkg-archive-keyring.gpg
check "the label is the first package's" grep -q -x 'Label: pkg (throw-away key)' "$out/dists/trixie/Release"
check "Debian 12's suite signed anew with the new key" gpgv --keyring "$out/pkg-archive-keyring.gpg" "$out/dists/bookworm/InRelease"
check "both packages in Debian 13's suite" grep -q -x 'Package: other' "$out/dists/trixie/main/binary-amd64/Packages"

# The same version with other bytes is refused, and nothing changes.
before=$(find "$out" -type f -print | sort | xargs sha256sum)
printf '%s\n' 'Package: pkg' 'Version: 1.0~deb12u1' 'Section: misc' 'Priority: optional' 'Architecture: all' \
  'Maintainer: B <b@example.invalid>' 'Description: another package' >"$work/deb/DEBIAN/control"
dpkg-deb -b --root-owner-group "$work/deb" "$work/tmp/debs/12/pkg_1.0~deb12u1_all.deb" >/dev/null
output=$(REPOSITORY_KEY=$work/key.asc publish "$out" 2>&1)
check "other bytes under a published version are refused" grep -q 'publishes pkg_1.0~deb12u1_all.deb already, with other bytes' <<<"$output"
check "and the repository is left as it was" test "$before" = "$(find "$out" -type f -print | sort | xargs sha256sum)"

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
