#!/usr/bin/env bash
# The Wine fixture of one Windows version: an Xvfb display and a fresh 32-bit prefix that
# reports that version, set up by wine.reg, and a copy of that prefix, made at the start,
# for the scenario that changes it (the installer's), which runs apart on a display of its
# own, beside the others.
#   wine.sh start <state dir> <winxp|win10>
#   wine.sh run <state dir> <command...>        a test command inside the fixture
#   wine.sh apart <state dir> <command...>      a test command inside the copy
#   wine.sh driver <state dir> <scenario>       the test driver of FN_WIN32, in FN_WORK
#   wine.sh stop <state dir>
set -u
. "$(dirname "$0")/display.sh"
action=$1 state=$2
shift 2
export WINEPREFIX=$state/prefix WINEARCH=win32 WINEDEBUG=${FN_WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
fail() {
  echo "wine.sh: $*" >&2
  exit 1
}

# Every process of a prefix's session, by the WINEPREFIX in its environment: one that hung
# outlives its wineserver, which then can no longer end it.
kill_prefix() {
  local proc
  WINEPREFIX=$1 wineserver -k 2>/dev/null
  for proc in /proc/[0-9]*; do
    [ "${proc#/proc/}" != $$ ] && grep -qaE '\.exe|wineserver' "$proc/cmdline" 2>/dev/null &&
      grep -qxzF "WINEPREFIX=$1" "$proc/environ" 2>/dev/null && kill -KILL "${proc#/proc/}" 2>/dev/null
  done
}

stop() {
  for dir in "$state/apart" "$state"; do
    [ -d "$dir/prefix" ] && kill_prefix "$dir/prefix"
    [ -f "$dir/xvfb.pid" ] && kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
    rm -f "$dir/xvfb.pid" "$dir/display"
  done
}

display() {
  lock_displays
  start_xvfb_display "$state"
  local started=$?
  unlock_displays
  [ $started = 0 ] || fail "no display: $(cat "$state/xvfb.log")"
  export DISPLAY=:$(cat "$state/display")
}

# Everything is detached from the caller's output, or ctest would wait for it to close.
start() {
  command -v wine >/dev/null && command -v Xvfb >/dev/null || fail "no wine or Xvfb: run scripts/setup.sh"
  mkdir -p "$state" && stop
  display
  rm -rf "$WINEPREFIX" "$state/work" "$state/apart"
  wineboot -i </dev/null >"$state/wine.log" 2>&1 || fail "no prefix: $(cat "$state"/*.log)"
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  wine regedit /S "$(dirname "$0")/wine.reg" </dev/null >>"$state/wine.log" 2>&1
  wine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f </dev/null >>"$state/wine.log" 2>&1
  wineserver -w
  mkdir "$state/apart" && cp -a "$WINEPREFIX" "$state/apart/"
  setsid wineserver -p </dev/null >/dev/null 2>&1
  reported=$(setsid wine cmd /c ver </dev/null 2>/dev/null | tr -d '\r' | grep -o '[0-9][0-9.]*')
  echo "$WINEPREFIX: Windows $reported on $DISPLAY"
  [[ $1:$reported == winxp:5.1.* || $1:$reported == win10:10.0.* ]] || fail "$1 reports $reported"
}

# Output goes through a file: Wine leaves helpers behind that hold the caller's pipe.
run() {
  [ -s "$state/display" ] || fail "no display: the fixture did not start"
  export DISPLAY=:$(cat "$state/display")
  "$@" >"$state/run.log" 2>&1 </dev/null
  local status=$?
  cat "$state/run.log"
  return $status
}

apart() {
  state=$state/apart
  export WINEPREFIX=$state/prefix
  [ -d "$WINEPREFIX" ] || fail "no copy of the prefix: the fixture did not start"
  display
  boot
  run "$@"
  local status=$?
  stop
  return $status
}

# Under qemu-user a process of a session's boot (services.exe) now and then hangs on
# qemu's own locks, and each program of that session then waits minutes for the boot and
# the installer service forever. The copy's session is booted, kept, and asked for the
# Windows version before the scenario starts; one that does not answer is ended and booted
# again.
boot() {
  local try
  for try in 1 2 3; do
    setsid wineserver -p </dev/null >/dev/null 2>&1
    timeout 150 wine cmd /c ver </dev/null >/dev/null 2>&1 && return 0
    echo "wine.sh: the copy's session did not boot (try $try)" >&2
    kill_prefix "$WINEPREFIX"
  done
  fail "the copy's session does not boot"
}

# Wine's stubs of the restart registration log each call (fixme, process channel) into the
# run's log, where the driver reads them.
driver() {
  WINEDEBUG=$WINEDEBUG,fixme+process FN_RUN_LOG=Z:$state/run.log run wine \
    "$FN_WIN32/tests/driver.exe" "Z:$FN_WIN32/watcher/Korvane.exe" \
    "Z:$FN_WIN32/creator/QUELLARD.EXE" "Z:$FN_WORK" "${FN_SHOTS:+Z:}${FN_SHOTS:--}" "$@"
}

case $action in
  start | run | apart | driver | stop) "$action" "$@" ;;
  *) fail "unknown action $action" ;;
esac
