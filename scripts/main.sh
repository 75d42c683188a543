#!/usr/bin/env bash
# The main job: installs what is missing, builds everything, shows the flag creator at
# work on a real console (natively and as QUELLARD.EXE under Wine), then the native pair
# on a Linux desktop (quellard raises a flag that korvane notices), then Korvane.exe
# under Wine, its flag raised with QUELLARD.EXE, popping up.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
scripts/setup.sh
scripts/build.sh >/dev/null
. scripts/desktop.sh

demo_dir=$(mktemp -d /tmp/flag-demo.XXXXXX)
state=$top/build/demo
trap 'rm -rf "$demo_dir"; tests/e2e/wine.sh stop "$state"; desktop_stop "$state/gtk"' EXIT
echo "== preparing Wine: a display of its own and a prefix that reports Windows 10"
tests/e2e/wine.sh start "$state" win10
export WINEPREFIX=$state/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

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
echo "######## native korvane and quellard on a Linux desktop (Xvfb and openbox) ########"
shots=$state/shots
mkdir -p "$shots"
desktop_start "$state/gtk"
(
  export XDG_CONFIG_HOME=$demo_dir/config NO_AT_BRIDGE=1
  "$top/build/watcher/korvane" "$demo_dir/NIGHTLY.FLG" &
  watcher=$!
  wid=$(desktop_window $watcher Iconic 10 || true)
  echo "korvane watches $demo_dir/NIGHTLY.FLG: ${wid:+minimized}"
  step "quellard raises the flag" "$top/build/creator/quellard NIGHTLY.FLG"
  started=$SECONDS
  wid=$(desktop_window $watcher Normal 13) || { echo "korvane did not pop up" >&2; exit 1; }
  waited=$((SECONDS - started))
  echo "korvane popped up about $waited s later: $(xprop -id "$wid" _NET_WM_STATE)"
  await $patience text_at 40 46 || true  # "Flag is On..." drawn, for the picture
  import -window "$wid" -frame "$shots/native-signalling.png"
  kill $watcher
)

echo
echo "######## Korvane under Wine ########"
# The driver's scenarios ask for pictures of what a user sees at their steps; they are
# taken here, from the X display, which shows dialogs that Wine's own copy misses.
(
  export DISPLAY=:$(cat "$state/display")
  while sleep 0.1; do
    for want in "$shots"/*.want; do
      [ -e "$want" ] && import -window root -crop "$(cat "$want")" +repage "${want%.want}.png" && rm -f "$want"
    done
  done
) &
taker=$!
for scenario in signal complaint setflag about timer; do
  echo "== $scenario"
  FN_WIN32=$top/build/win32 FN_WORK=$state/work FN_SHOTS=$shots tests/e2e/wine.sh driver "$state" "$scenario"
done

echo
echo "######## Korvane installed from its package, as on fifty desks ########"
export DISPLAY=:$(cat "$state/display")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
msi='Z:'$top/build/win32/flag-notification-$version.msi
installed='C:\Program Files\Flag Notification'
msiexec() {  # what it does, msiexec arguments
  echo "== $1"
  echo "$ msiexec $(printf '%s ' "${@:2}")"
  local started=$(date +%s%N) status
  wine msiexec "${@:2}" </dev/null >/dev/null 2>&1
  status=$?
  echo "[exit status $status, $((($(date +%s%N) - started) / 1000000)) ms]"
}
msiexec "a silent install that names the flag" /i "$msi" /qn 'FLAGFILE=C:\FLAGS\NIGHTLY.FLG'
ls "$WINEPREFIX/drive_c/Program Files/Flag Notification"
echo "the logon entry: $(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v Korvane | tr -d '\r' | grep Korvane)"
echo "== Korvane started from the logon entry; the installed QUELLARD raises its flag"
tests/e2e/wine.sh run "$state" wine "$top/build/win32/tests/driver.exe" "$installed\Korvane.exe" \
  "$installed\QUELLARD.EXE" 'C:\work' "Z:$shots" installed
msiexec "a silent uninstall" /x "$msi" /qn
ls "$WINEPREFIX/drive_c/Program Files/"
kill "$taker"
echo "== pictures of what a user sees, as in the README: $shots"
