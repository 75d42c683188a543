#!/usr/bin/env bash
# How long korvane takes from a raised flag to its window shown, above and focused (or,
# where it asks for no focus, urgent), on the six desktops of the GTK scenarios: Xvfb with
# openbox, mutter or kwin, and mutter, kwin (with Plasma's shell) or GNOME Shell headless on
# Wayland with korvane on XWayland; under GNOME Shell, also to the shell's banner.
# The poll is sped up a thousandfold by fast_poll.so, so what is timed is the probe and the
# desktop; the real 10 s poll adds its phase, 5 s on average. A benchmark: it prints times
# and ratios, and never fails on them.
#   popup.sh <native build dir> <fast_poll.so> [runs=10] [fake_keys]
set -euo pipefail
build=$(cd "$1" && pwd) preload=$2 runs=${3:-10} fake_keys=${4:-}
. "$(dirname "$0")/../scripts/desktop.sh"
state=$build/bench-popup
desktops="openbox mutter kwin wayland kwinwl gnome"
trap 'for wm in $desktops; do desktop_stop "$state/$wm"; done' EXIT
export NO_AT_BRIDGE=1
await_every=0.01  # what is timed is what it waits for
now() { date +%s%N; }
popped() { is_state Normal && is_above && { is_active || is_urgent; }; }
waiting() { [ ! -e "$flag" ] && is_state Iconic; }

# Milliseconds from quellard to the window Normal, above, and active or urgent, and under
# GNOME Shell to its banner (else 0), a line a run.
time_runs() {
  local flag=$state/$1/job.flg korvane
  rm -f "$flag"
  XDG_CONFIG_HOME=$state/$1/config LD_PRELOAD=$preload "$build/watcher/korvane" "$flag" &
  korvane=$! pid=$!
  wid=$(desktop_window $korvane Iconic 30)
  for ((run = 1; run <= runs; run++)); do
    local start=$(now)
    "$build/creator/quellard" "$flag"
    # A pop-up that does not come is told, and ends this desktop's runs.
    await 30 popped || { echo "$1: no pop-up at run $run: $(xprop -id "$wid" WM_STATE _NET_WM_STATE WM_HINTS |
      tr -s '\n\t' ' ')" >&2 && break; }
    local shown=$(now) banner=$start
    [ "$1" != gnome ] || { await 30 shell_banner && banner=$(now); }
    echo $(((shown - start) / 1000000)) $(((banner - start) / 1000000))
    xdotool windowactivate "$wid" 2>/dev/null
    await 30 is_active && desktop_keys 100 alt+f && await 30 menu_shown && desktop_keys 100 d
    await 30 waiting || { echo "$1: not back to waiting after run $run" >&2 && break; }
  done
  kill $korvane
}

declare -A median
for wm in $desktops; do
  # A shell of its own for each desktop, whose variables the next one does not see.
  (desktop_start "$state/$wm" $wm "$build/watcher/korvane" >/dev/null && time_runs $wm >"$state/$wm.ms") ||
    echo "$wm: no desktop" >&2
  mapfile -t ms < <(cut -d' ' -f1 "$state/$wm.ms" | sort -n)
  [ ${#ms[@]} -gt 0 ] || { median[$wm]=0 && desktop_stop "$state/$wm" && continue; }
  median[$wm]=${ms[$((${#ms[@]} / 2))]}
  printf '%-8s %d runs: median %4d ms, min %4d, max %4d\n' $wm ${#ms[@]} "${median[$wm]}" \
    "${ms[0]}" "${ms[-1]}"
  [ $wm != gnome ] || { mapfile -t ms < <(cut -d' ' -f2 "$state/$wm.ms" | sort -n) &&
    printf '%-8s to the banner: median %4d ms, min %4d, max %4d\n' $wm "${ms[$((${#ms[@]} / 2))]}" "${ms[0]}" "${ms[-1]}"; }
  desktop_stop "$state/$wm"
done
for wm in mutter kwin wayland kwinwl gnome; do
  printf '%s / openbox: %.2f\n' $wm "$(awk "BEGIN { print ${median[$wm]} / ${median[openbox]} }")"
done
