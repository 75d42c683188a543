#!/usr/bin/env bash
# Sets up and tears down what the Wine tests of one run share: an Xvfb display, a fresh
# 32-bit Wine prefix with one virtual desktop, and a second prefix owned by nobody for
# the tests that need an unprivileged user.
#   wine_fixture.sh start <state dir> [windows version]
#   wine_fixture.sh stop <state dir>
set -euo pipefail
action=$1
state=$2
winver=${3:-}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

fail() { echo "wine fixture: $*" >&2; exit 1; }
# shellcheck source=xvfb.sh
. "$(dirname "$0")/xvfb.sh"

make_prefix() {  # prefix [user]
  local prefix=$1 user=${2:-}
  local run=()
  [ -n "$user" ] && run=(setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups
                         env HOME="$(dirname "$prefix")")
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  [ -n "$user" ] && chown "$user" "$(dirname "$prefix")"
  export WINEPREFIX=$prefix WINEARCH=win32 DISPLAY=":$(cat "$state/display")"
  "${run[@]}" wineboot -i </dev/null >>"$state/wineboot.log" 2>&1 || fail "wineboot failed"
  # A crash must end the test, not wait for someone to close a dialog.
  "${run[@]}" wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    </dev/null >>"$state/wineboot.log" 2>&1
  # One shared virtual desktop: Wine draws the frames, and a second program sees the window.
  "${run[@]}" wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f \
    </dev/null >>"$state/wineboot.log" 2>&1
  "${run[@]}" wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f \
    </dev/null >>"$state/wineboot.log" 2>&1
  if [ -n "$winver" ]; then
    "${run[@]}" wine winecfg /v "$winver" </dev/null >>"$state/wineboot.log" 2>&1
    local reported
    reported=$("${run[@]}" wine cmd /c ver </dev/null 2>/dev/null | tr -d '\r' | grep -o '[0-9][0-9.]*' || true)
    echo "$prefix reports Windows $reported"
    case $winver in
      winxp) [[ $reported == "5.1."* ]] || fail "$winver prefix reports $reported" ;;
      win10) [[ $reported == "10.0."* ]] || fail "$winver prefix reports $reported" ;;
    esac
  fi
  "${run[@]}" wineserver -w
}

# Starts the prefix's server for the whole run, and the helper processes a first program
# would start, detached from any test's output and terminal.
warm_up() {  # prefix [user]
  local prefix=$1 user=${2:-}
  local run=()
  [ -n "$user" ] && run=(setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups
                         env HOME="$(dirname "$prefix")")
  "${run[@]}" env WINEPREFIX="$prefix" setsid wineserver -p </dev/null >/dev/null 2>&1
  "${run[@]}" env WINEPREFIX="$prefix" DISPLAY=":$(cat "$state/display")" \
    setsid wine cmd /c exit </dev/null >/dev/null 2>&1 || fail "wine cannot run a program"
}

case $action in
  start)
    command -v wine >/dev/null || fail "wine is not installed (run scripts/setup.sh)"
    mkdir -p "$state"
    "$0" stop "$state" 2>/dev/null || true
    start_xvfb "$state" || fail "no display"
    echo "Xvfb on :$(cat "$state/display")"
    make_prefix "$state/prefix"
    make_prefix "$state/nobody/prefix" nobody
    warm_up "$state/prefix"
    warm_up "$state/nobody/prefix" nobody
    echo "Wine prefix ready: $state/prefix ($(wine --version))"
    ;;
  stop)
    for prefix in "$state/prefix" "$state/nobody/prefix"; do
      [ -d "$prefix" ] && WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    done
    [ -d "$state/nobody/prefix" ] && setpriv --reuid=nobody --regid="$(id -g nobody)" \
      --clear-groups env WINEPREFIX="$state/nobody/prefix" wineserver -k 2>/dev/null || true
    if [ -f "$state/xvfb.pid" ]; then
      kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
      rm -f "$state/xvfb.pid"
    fi
    ;;
  *) fail "unknown action $action" ;;
esac
