#!/usr/bin/env bash
# Runs the driver's soak against Korvane under the current Wine prefix, telling it where
# the prefix's server keeps its open files.
#   korvane_soak.sh <driver.exe> <Korvane.exe> <QUELLARD.EXE> <work> <shots> <ticks> <cycles>
set -eu
driver=$1 korvane=$2 quellard=$3 work=$4 shots=$5
export KV_SOAK_TICKS=$6 KV_SOAK_CYCLES=$7
# The server of a prefix works in a folder named server-<device>-<inode> of the prefix.
read -r dev ino < <(stat -c '%d %i' "$WINEPREFIX")
server_dir=$(printf 'server-%x-%x' "$dev" "$ino")
pid=
for p in $(pgrep wineserver); do
  [[ "$(readlink "/proc/$p/cwd")" == */"$server_dir" ]] && pid=$p
done
[ -n "$pid" ] || { echo "no server found for $WINEPREFIX"; exit 1; }
export KV_SERVER_FDS="Z:\\proc\\$pid\\fd"
export WINEDLLOVERRIDES WINEDEBUG
exec "$(dirname "$0")/korvane_e2e.sh" "$driver" "$korvane" "$quellard" "$work" "$shots" soak
