#!/bin/sh
# Runs each line of an SQL file against a package with msibuild: the tables and rows that
# wixl cannot write.   complete.sh <msibuild> <package.msi> <file.sql>
set -e
while IFS= read -r query; do
  [ -n "$query" ] && "$1" "$2" -q "$query"
done <"$3"
