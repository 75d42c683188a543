#!/usr/bin/env bash
# Fails unless the executable is a PE32 of the given subsystem (console or gui) that
# imports from the listed DLLs only.
#   check_imports.sh <exe> <console|gui> <dll>...
set -euo pipefail
exe=$1
subsystem=$2
shift 2
dump=$(i686-w64-mingw32-objdump -p "$exe")
grep -q 'file format pei-i386' <<<"$dump" || { echo "$exe is not a PE32 (i386) file"; exit 1; }
case $subsystem in
  console) want='(Windows CUI)' ;;
  gui) want='(Windows GUI)' ;;
  *) echo "unknown subsystem $subsystem"; exit 1 ;;
esac
grep -E '^Subsystem' <<<"$dump" | grep -qF "$want" || { echo "$exe: subsystem is not $want"; exit 1; }
status=0
while read -r dll; do
  allowed=0
  for a in "$@"; do
    [ "${dll,,}" = "${a,,}" ] && allowed=1
  done
  if [ $allowed -eq 1 ]; then echo "imports $dll"; else echo "unexpected import: $dll"; status=1; fi
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
exit $status
