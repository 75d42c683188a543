#!/usr/bin/env bash
# Runs the end-to-end driver against Korvane.exe under Wine and turns the screenshots it
# saved into PNG files in the shots folder.
#   korvane_e2e.sh <driver.exe> <Korvane.exe> <QUELLARD.EXE> <work> <shots> [scenario...]
set -u
driver=$1 korvane=$2 quellard=$3 work=$4 shots=$5
shift 5
rm -rf "$work"
mkdir -p "$work" "$shots"
win() { winepath -w "$1" 2>/dev/null; }
# Flag names are read into 64 bytes, so the scenes' absolute names must not grow with the
# depth of the checkout: the driver reaches the work folder through a short link.
short=$(mktemp -d /tmp/kv.XXXXXX)
trap 'rm -rf "$short"' EXIT
ln -s "$work" "$short/w"
wine "$driver" "$(win "$korvane")" "$(win "$quellard")" "$(win "$short/w")" "$(win "$shots")" "$@"
status=$?
for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
exit $status
