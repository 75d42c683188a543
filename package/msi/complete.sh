#!/usr/bin/env bash
# Runs each line of an SQL file against a package with msibuild: the tables and rows that
# wixl cannot write. In the lines, @VERSION@ and @UPGRADECODE@ stand for the package's, and
# @FILEVERSION:<file>@ and @LANGUAGE:<file>@ for the version and language that the version
# record of the program <file> in the staged folder gives, as Windows reads them. Lines
# that begin with "--" are comments, which msibuild does not take.
#   complete.sh <msibuild> <windres> <package.msi> <file.sql> <stage> <version> <upgrade code>
set -euo pipefail
msibuild=$1 windres=$2 msi=$3 sql=$4 stage=$5 version=$6 upgrade=$7

# "1.3.0.0 0x409": FILEVERSION's four numbers and the first translation's language.
version_record() {
  "$windres" -i "$stage/$1" -O rc | awk '
    $1 == "FILEVERSION" { $1 = ""; gsub(/[ ,]+/, "."); v = substr($0, 2) }
    /VALUE "Translation"/ { split($0, t, /, */); l = t[2] }
    END { print v, l }'
}

declare -A records  # by program: each is read once
while IFS= read -r query; do
  [[ -z $query || $query == --* ]] && continue
  query=${query//@VERSION@/$version}
  query=${query//@UPGRADECODE@/$upgrade}
  while [[ $query =~ @(FILEVERSION|LANGUAGE):([^@]+)@ ]]; do
    placeholder=${BASH_REMATCH[0]} item=${BASH_REMATCH[1]} file=${BASH_REMATCH[2]}
    [ -n "${records[$file]:-}" ] || records[$file]=$(version_record "$file")
    read -r numbers language <<<"${records[$file]}"
    [ -n "$language" ] || { echo "complete.sh: $file has no version record" >&2; exit 1; }
    [ "$item" = FILEVERSION ] && value=$numbers || value=$((language))
    query=${query//"$placeholder"/$value}
  done
  "$msibuild" "$msi" -q "$query"
done <"$sql"
