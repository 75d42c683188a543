#!/usr/bin/env bash
# Starts Korvane under Wine watching a flag, raises the flag with QUELLARD.EXE, and shows
# the window popping up with "Flag is On..." within one 10-second poll. It runs on the
# user's display, or on an Xvfb of its own when there is none; either way it saves
# screenshots of the desktop before and after into build/demo.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
out=$top/build/demo
mkdir -p "$out"
export WINEPREFIX=${WINEPREFIX:-$top/build/wine-demo} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

xvfb=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  # shellcheck source=../tests/e2e/xvfb.sh
  . "$top/tests/e2e/xvfb.sh"
  start_xvfb "$out"
  xvfb=$(cat "$out/xvfb.pid")
  export DISPLAY=":$(cat "$out/display")"
  echo "== no display: Korvane runs on an Xvfb of its own ($DISPLAY)"
fi
if [ ! -d "$WINEPREFIX" ]; then
  WINEARCH=win32 wineboot -i </dev/null >/dev/null 2>&1
fi
# Wine's own desktop window draws the frames even where no window manager runs; a
# server left from an earlier run would keep the old setting.
wineserver -k 2>/dev/null || true
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wineserver -w  # the desktop starts with the next program, under the new setting

echo "== Korvane starts, minimizes itself and polls; a batch job then raises the flag"
"$top/tests/e2e/korvane_e2e.sh" "$top/build/win32/tests/win/driver/korvane_driver.exe" \
  "$top/build/win32/watcher/Korvane.exe" "$top/build/win32/creator/QUELLARD.EXE" \
  "$top/build/demo/work" "$out" timer
echo "== screenshots: $out/timer-waiting.png and $out/timer-flag-on.png"
