#!/usr/bin/env bash
# The main job: installs what is missing, builds everything, shows the flag creator at
# work on a real console (natively and as QUELLARD.EXE under Wine), then starts Korvane
# under Wine, raises its flag with QUELLARD.EXE and shows the window popping up.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
scripts/setup.sh
scripts/build.sh >/dev/null

demo_dir=$(mktemp -d /tmp/flag-demo.XXXXXX)
trap 'rm -rf "$demo_dir"' EXIT
export WINEPREFIX=${WINEPREFIX:-$top/build/wine-demo} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -d "$WINEPREFIX" ]; then
  echo "== preparing a Wine prefix in $WINEPREFIX (once)"
  WINEARCH=win32 wineboot -i </dev/null >/dev/null 2>&1
fi

step() {  # title, command line run in the demo folder
  echo
  echo "== $1"
  echo "$ $2"
  "$top/scripts/console.sh" sh -c "cd '$demo_dir' && $2; echo \"[exit status \$?]\""
}

show_creator() {  # label, creator command
  echo
  echo "######## $1 ########"
  step "no names: the banner, status 255" "$2"
  step "a new flag: created empty, nothing printed, status 0" "$2 JOB.FLG"
  step "the same flag again: refused and left untouched, status 17" "$2 JOB.FLG"
  step "a flag in a missing folder: status 2" "$2 nofolder/JOB.FLG"
  step "standard output redirected: the line still reaches the console" "$2 JOB.FLG >out.txt"
  ls -l "$demo_dir"
  rm -f "$demo_dir"/*
}

show_creator "native quellard" "$top/build/creator/quellard"
show_creator "QUELLARD.EXE under Wine" "wine $top/build/win32/creator/QUELLARD.EXE"

echo
echo "######## Korvane under Wine ########"
exec "$top/scripts/korvane_demo.sh"
