#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
# Every relative link, [text](target), in the given Markdown files leads to
# a file that exists beside them: used on installed documents, whose links
# must work where they were installed.
#
# usage: links_resolve.sh FILE...
status=0
for doc in "$@"; do
  for target in $(grep -o -E '\]\([^) ]+\)' "$doc" | sed 's/^](\(.*\))$/\1/; s/#.*//'); do
    case $target in "" | *://* | mailto:*) continue ;; esac
    [ -e "$(dirname "$doc")/$target" ] || { echo "$doc: the link to $target leads nowhere"; status=1; }
  done
done
exit $status
