#!/usr/bin/env bash
# Prints the file sizes of QUELLARD.EXE and Korvane.exe beside the floor (the least
# mingw-w64 console program built the same way), their ratios to it, and whether each
# is within its size target. A benchmark: it reports, it never fails on the figures.
#   footprint.sh <QUELLARD.EXE> <Korvane.exe> <floor.exe>
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: footprint.sh <QUELLARD.EXE> <Korvane.exe> <floor.exe>" >&2; exit 2; }
quellard=$1 korvane=$2 floor=$3
quellard_target_kib=20
korvane_target_kib=40

floor_bytes=$(stat -c %s "$floor")
row() {  # name bytes [target KiB]
  awk -v name="$1" -v bytes="$2" -v floor="$floor_bytes" -v target="${3:-}" 'BEGIN {
    verdict = target == "" ? "" : sprintf("<= %d KiB  %s", target,
                                          bytes <= target * 1024 ? "met" : "NOT met")
    printf "%-18s %8d %8.1f %8.2f   %s\n", name, bytes, bytes / 1024, bytes / floor, verdict
  }'
}
printf "%-18s %8s %8s %8s   %s\n" program bytes KiB "x floor" target
row "$(basename "$floor")" "$floor_bytes"
row "$(basename "$quellard")" "$(stat -c %s "$quellard")" $quellard_target_kib
row "$(basename "$korvane")" "$(stat -c %s "$korvane")" $korvane_target_kib
