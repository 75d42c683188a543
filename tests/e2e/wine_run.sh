#!/usr/bin/env bash
# Runs one test command with the run's Wine prefix and display (see wine_fixture.sh).
# Wine leaves helper processes behind that inherit standard output; the command's output
# goes through a file, so ctest does not wait for them to close its pipe.
set -u
state=${FN_WINE_STATE:?FN_WINE_STATE names the Wine state directory}
[ -s "$state/display" ] || { echo "wine_run: no Xvfb display; the fixture did not run" >&2; exit 1; }
command -v wine >/dev/null || { echo "wine_run: wine is not installed" >&2; exit 1; }
export WINEPREFIX=$state/prefix NOBODY_WINEPREFIX=$state/nobody/prefix
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=":$(cat "$state/display")"
log=$(mktemp)
"$@" >"$log" 2>&1 </dev/null
status=$?
cat "$log"
rm -f "$log"
exit $status
