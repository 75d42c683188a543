#!/usr/bin/env bash
# How long korvane takes from a raised flag to its window shown, above and focused (or,
# where it asks for no focus, urgent), on the five desktops of the GTK scenarios: Xvfb with
# openbox, mutter or kwin, and mutter or kwin headless on Wayland with korvane on XWayland. The poll is sped up a thousandfold by fast_poll.so, so
# what is timed is the probe and the desktop; the real 10 s poll adds its phase, 5 s on
# average. A benchmark: it prints times and ratios, and never fails on them.
#   popup.sh <native build dir> <fast_poll.so> [runs=10]
set -euo pipefail
build=$(cd "$1" && pwd) preload=$2 runs=${3:-10}
e2e=$(cd "$(dirname "$0")/../tests/e2e" && pwd)
state=$build/bench-popup
desktops="openbox mutter kwin wayland kwinwl"
trap 'for wm in $desktops; do "$e2e/gtk.sh" stop "$state/$wm"; done' EXIT
export NO_AT_BRIDGE=1
now() { date +%s%N; }

# Milliseconds from quellard to the window Normal, above, and active or urgent, a line a run.
time_runs() {
  local flag=$state/$1/job.flg korvane window ms
  rm -f "$flag"
  XDG_CONFIG_HOME=$state/$1/config LD_PRELOAD=$preload "$build/watcher/korvane" "$flag" &
  korvane=$!
  window=$("$e2e/gtk.sh" window "$state/$1" $korvane Iconic 30)
  for ((run = 1; run <= runs; run++)); do
    local start=$(now)
    "$build/creator/quellard" "$flag"
    until xprop -id "$window" WM_STATE _NET_WM_STATE WM_HINTS | grep -q 'state: Normal' &&
      xprop -id "$window" _NET_WM_STATE | grep -q ABOVE &&
      { [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ] ||
        xprop -id "$window" WM_HINTS | grep -q urgency; }; do :; done
    echo $((($(now) - start) / 1000000))
    xdotool windowactivate "$window" 2>/dev/null
    until [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ]; do sleep 0.05; done
    xdotool key --delay 100 alt+f d
    until [ ! -e "$flag" ] && xprop -id "$window" WM_STATE | grep -q 'state: Iconic'; do sleep 0.05; done
  done
  kill $korvane
}

declare -A median
for wm in $desktops; do
  "$e2e/gtk.sh" start "$state/$wm" $wm >/dev/null
  mapfile -t ms < <(
    export DISPLAY=:$(cat "$state/$wm/display")
    [ -f "$state/$wm/env" ] && . "$state/$wm/env"
    time_runs $wm | sort -n)
  median[$wm]=${ms[$((${#ms[@]} / 2))]}
  printf '%-8s %d runs: median %4d ms, min %4d, max %4d\n' $wm ${#ms[@]} "${median[$wm]}" \
    "${ms[0]}" "${ms[-1]}"
  "$e2e/gtk.sh" stop "$state/$wm"
done
for wm in mutter kwin wayland kwinwl; do
  printf '%s / openbox: %.2f\n' $wm "$(awk "BEGIN { print ${median[$wm]} / ${median[openbox]} }")"
done
