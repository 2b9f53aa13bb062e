#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The morvelin authors
#
# The documents stay true to the project:
# - in every Markdown file that git tracks, each relative link leads to a
#   tracked file (a template's FILE.in stands for FILE), each --preset
#   names a preset that CMake knows, and each ctest -R or -L selects a
#   test of the build; names with capitals (ARCH, NAME) stand for any and
#   are not looked up;
# - CONTRIBUTING's table of tests names labels, tests and counts that the
#   build has;
# - every REXX program and REXX block of a document that loads a package
#   does it the one guarded way;
# - every build folder that a line of a README (morvelin's, the
#   template's) names is made by that line or one before it, and every
#   program run from a build folder is where CMake puts it;
# - the table of docs/architectures.md lists the architectures of
#   kit/releases;
# - every code block of the guide that names a file of the package that
#   the generator writes, on the line before it ("... in `FILE`:"), is in
#   that file word for word.
#
# usage: docs.sh CMAKE CTEST SOURCE_DIR BUILD_DIR
set -uo pipefail
cmake=$1 ctest=$2 source=$3 build=$4
cd "$source" || exit 1
tracked=$(git ls-files)
presets=$("$cmake" --list-presets=all 2>/dev/null | sed -n 's/^ *"\([^"]*\)".*/\1/p' | sort -u)
# count CTEST_OPTION...: how many tests of the build ctest selects so.
count() {
  local total
  total=$("$ctest" --test-dir "$build" -N "$@" | sed -n 's/^Total Tests: //p')
  echo "${total:-0}"
}
failures=0
fail() {
  echo "$1"
  failures=$((failures + 1))
}

while IFS= read -r doc; do
  dir=$(dirname "$doc")
  # Links: [text](target), without the part after #.
  while IFS= read -r target; do
    target=${target%%#*}
    case $target in "" | *://* | mailto:*) continue ;; esac
    path=$(realpath -m --relative-to=. "$dir/$target")
    grep -qxF -- "$path" <<<"$tracked" || grep -qxF -- "$path.in" <<<"$tracked" ||
      grep -q "^$path/" <<<"$tracked" ||
      fail "$doc: the link to $target leads to no tracked file"
  done < <(grep -o -E '\]\([^) ]+\)' "$doc" | sed 's/^](\(.*\))$/\1/')
  while IFS= read -r name; do
    [[ $name =~ [A-Z] ]] && continue
    grep -qxF -- "$name" <<<"$presets" || fail "$doc: there is no preset $name"
  done < <(grep -o -E -- '--preset[= ][A-Za-z0-9_-]+' "$doc" | sed 's/^--preset[= ]//')
  while IFS= read -r option; do
    read -r flag value <<<"$option"
    [[ $value =~ [A-Z] ]] && continue
    [ "$(count "$flag" "$value")" -gt 0 ] || fail "$doc: ctest $flag $value selects no test"
  done < <(grep -E 'ctest ' "$doc" | grep -o -E -- ' -[RL] [^ `]+' | sed 's/^ //')
done < <(git ls-files '*.md')

# CONTRIBUTING's table of tests: each label selects tests, each test named
# is one of the build with that label, and "N GoogleTest cases" counts them.
while IFS='|' read -r _ label tests _; do
  label=$(tr -d '` ' <<<"$label")
  [ "$(count -L "^$label\$")" -gt 0 ] || { fail "CONTRIBUTING.md: label $label selects no test"; continue; }
  if [[ $tests =~ ^\ *([0-9]+)\ GoogleTest\ cases ]]; then
    [ "$(count -L "^$label\$")" = "${BASH_REMATCH[1]}" ] ||
      fail "CONTRIBUTING.md: label $label has $(count -L "^$label\$") tests, not ${BASH_REMATCH[1]}"
    continue
  fi
  for test in $(grep -o '`[a-z_]*`' <<<"$tests" | tr -d '`'); do
    [ "$(count -L "^$label\$" -R "^$test\$")" = 1 ] ||
      fail "CONTRIBUTING.md: there is no test $test with the label $label"
  done
done < <(sed -n '/^| Label | Tests |/,/^$/p' CONTRIBUTING.md | grep '^| `')

# The guarded load, in every REXX program and every REXX block of a
# document: the option that makes an unknown function an error rather
# than a shell command, then call RxFuncAdd 'F', 'MODULE', 'F', then
# if RxFuncQuery('F') \= 0 then do, on the next line.
while IFS= read -r problem; do
  fail "$problem"
done < <(git ls-files -z '*.rexx' '*.md' | xargs -0 awk '
  FNR == 1 { on = FILENAME !~ /\.md$/; option = comment = 0; want = "" }
  FILENAME ~ /\.md$/ && /^ *```rexx$/ { on = 1; option = comment = 0; want = ""; next }
  FILENAME ~ /\.md$/ && /^ *```$/ { on = 0; next }
  !on { next }
  # The line without its comments, which may span lines.
  { line = $0 }
  comment && !sub(/.*\*\//, "", line) { next }
  {
    comment = 0
    gsub(/\/\*([^*]|\*+[^*\/])*\*+\//, "", line)
    if (sub(/\/\*.*/, "", line)) comment = 1
    gsub(/^ +| +$/, "", line)
  }
  line == "" { next }
  want != "" && line != want { print FILENAME ": not followed by " want }
  { want = "" }
  line ~ /^options .*NOEXT_COMMANDS_AS_FUNCS/ { option = 1 }
  line ~ /RxFuncAdd/ {
    if (option && split(line, part, "\047") == 7 &&
        part[1] == "call RxFuncAdd " && part[2] == part[6])
      want = "if RxFuncQuery(\047" part[2] "\047) \\= 0 then do"
    else
      print FILENAME ": " line ": not the guarded load"
  }')

# Each README's build folders, morvelin's and the template's: every build
# folder that a line names (in a command or in the text) is made by that
# line or one before it.  Each preset configures build/NAME, NAME being
# the configure preset's name, or a workflow's configure step's.
readme_folders() {
  local readme=$1 presets=$2 made=" " line folder preset
  local -A configures
  while read -r workflow configure; do
    configures[$workflow]=$configure
  done < <(awk '/"workflowPresets"/ { on = 1 }
    on {
      line = $0
      step = match(line, /"type": "configure", "name": "[^"]+"/)
      if (step) { configure = substr(line, RSTART, RLENGTH); sub(/.*"name": "/, "", configure); sub(/"$/, "", configure) }
      gsub(/[{] *"type": "[a-z]+", "name": "[^"]+" *[}]/, "", line)
      if (match(line, /"name": "[^"]+"/)) { workflow = substr(line, RSTART + 9, RLENGTH - 10) }
      if (step) print workflow, configure
    }' "$presets")
  while IFS= read -r line; do
    for preset in $(grep -o -E -- '--workflow --preset [a-z0-9_-]+' <<<"$line" | sed 's/.* //'); do
      made+="build/${configures[$preset]:-} "
    done
    for preset in $(grep -o -E -- '(^|&& |sudo )cmake --preset [a-z0-9_-]+' <<<"$line" | sed 's/.* //'); do
      made+="build/$preset "
    done
    for folder in $(grep -o -E 'build/[a-z0-9_-]+' <<<"$line"); do
      case $made in *" $folder "*) ;; *) fail "$readme: $folder in \"$line\" is made by no command before it" ;; esac
    done
  done <"$readme"
}
readme_folders README.md CMakePresets.json
readme_folders template/README.md template/CMakePresets.json

# Programs that a document runs from a build folder, build/PRESET/DIR/NAME:
# NAME is built by add_executable() in DIR's CMakeLists.txt, where CMake
# puts it.
while IFS=: read -r doc path; do
  rest=${path#build/*/}
  name=${rest##*/} dir=$(dirname "$rest")
  defined=$(git grep -l -E "add_executable\($name[ )]" -- '*CMakeLists.txt') || continue
  [ "$defined" = "$([ "$dir" = . ] || echo "$dir/")CMakeLists.txt" ] ||
    fail "$doc: $path is not where CMake puts $name, which $defined builds"
done < <(git grep -o -E 'build/[a-z0-9_-]+/[a-z0-9_/]+' -- '*.md')

# The table of docs/architectures.md names exactly the architectures of
# kit/releases, each with its releases.
listed=$(awk '!/^#/ { for (i = 4; i <= NF; i++) releases[$i] = releases[$i] (releases[$i] ? ", " : "") $1 }
  END { for (arch in releases) print arch ": " releases[arch] }' kit/releases | sort)
table=$(awk -F ' *[|] *' '/^[|] [a-z0-9]+ [|] [0-9]/ { print $2 ": " $3 }' docs/architectures.md | sort)
[ "$listed" = "$table" ] || fail "docs/architectures.md: the table differs from kit/releases:
$(diff <(echo "$listed") <(echo "$table"))"

# The guide's quotations, from a package that the generator writes.
package=$(mktemp -d)
trap 'rm -rf "$package"' EXIT
"$cmake" -D NAME=mathx -D DEST="$package/mathx" -P cmake/new-package.cmake >/dev/null ||
  fail "cmake/new-package.cmake failed"
while IFS=$'\t' read -r file text; do
  [ -f "$package/mathx/$file" ] || { fail "docs/writing-a-package.md quotes $file, which the generator does not write"; continue; }
  awk -v quoted="$text" 'BEGIN { RS = "^$" } { gsub(/\n/, "\r"); exit index($0, quoted) == 0 }' \
    "$package/mathx/$file" || fail "docs/writing-a-package.md: the quotation of $file is not in it"
done < <(awk '/^ *```/ && !on { on = 1; text = ""; file = ""
    indent = index($0, "`") - 1
    if (match(previous, /`[^`]+`:$/)) file = substr(previous, RSTART + 1, RLENGTH - 3)
    next }
  /^ *```$/ && on { if (file != "") print file "\t" text; on = 0; next }
  on { text = text substr($0, indent + 1) "\r" }
  { if ($0 != "") previous = $0 }' docs/writing-a-package.md)

echo "$failures broken references"
[ "$failures" -eq 0 ]
