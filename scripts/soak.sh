#!/usr/bin/env bash
# The full soak: Korvane under Wine through 10,000 posted ticks and 1,000 cycles of flag
# raised by QUELLARD.EXE, found by a tick, removed by Delete Flag. Prints the figures.
#   scripts/soak.sh [ticks] [cycles]     (after scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
state=$top/build/wine/soak
trap 'tests/e2e/wine_fixture.sh stop "$state"' EXIT
tests/e2e/wine_fixture.sh start "$state"
FN_WINE_STATE=$state tests/e2e/wine_run.sh tests/e2e/korvane_soak.sh \
  build/win32/tests/win/driver/korvane_driver.exe build/win32/watcher/Korvane.exe \
  build/win32/creator/QUELLARD.EXE "$top/build/e2e-tmp/soak-full" "$top/build/screenshots" \
  "${1:-10000}" "${2:-1000}"
