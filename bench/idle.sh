#!/usr/bin/env bash
# What the waiting watcher costs while nothing happens: native korvane beside Korvane.exe
# under Wine, measured over the same seconds (CPU time, wake-ups as context switches of
# every thread, resident memory). Then native korvane, its poll sped up a thousandfold by
# fast_poll.so, through many raise/delete cycles, with its memory and open files before
# and after. Given another korvane (an earlier build), it waits beside the others too.
# A benchmark: it prints figures and ratios, and never fails on them.
#   idle.sh <native build dir> <fast_poll.so> [seconds=60] [cycles=1000] [other korvane]
set -euo pipefail
build=$(cd "$1" && pwd) preload=$2 seconds=${3:-60} cycles=${4:-1000} other=${5:-}
e2e=$(cd "$(dirname "$0")/../tests/e2e" && pwd)
. "$(dirname "$0")/../scripts/desktop.sh"
state=$build/bench-idle flags=$build/bench-idle/flags
rm -rf "$flags" && mkdir -p "$flags"
trap 'desktop_stop "$state/gtk"; "$e2e/wine.sh" stop "$state/wine"' EXIT
desktop_start "$state/gtk" >/dev/null
"$e2e/wine.sh" start "$state/wine" win10 >/dev/null
export XDG_CONFIG_HOME=$state/config NO_AT_BRIDGE=1
await_every=0.01  # a thousand cycles wait three times each

# CPU ticks, context switches of all threads and of the first thread, resident KiB, open
# files, and the resident KiB that are the process's own (not mapped from files).
sample() {
  echo "$(awk '{ print $14 + $15 }' "/proc/$1/stat")" \
    "$(cat /proc/"$1"/task/*/status | awk '/ctxt_switches/ { s += $2 } END { print s }')" \
    "$(awk '/ctxt_switches/ { s += $2 } END { print s }' "/proc/$1/task/$1/status")" \
    "$(awk '/VmRSS/ { print $2 }' "/proc/$1/status")" "$(ls "/proc/$1/fd" | wc -l)" \
    "$(awk '/RssAnon/ { print $2 }' "/proc/$1/status")"
}

# The first GTK program on a new display builds caches in memory that later starts map from
# disk (16 MB more of its own here), so one start warms the display before the measured one.
"$build/watcher/korvane" "$flags/native.flg" &
sleep 3 && kill $!
"$build/watcher/korvane" "$flags/native.flg" &
native=$!
pids=($native) labels=("korvane (GTK)")
if [ -n "$other" ]; then
  "$other" "$flags/other.flg" &
  pids+=($!) labels+=("other korvane")
fi
(export DISPLAY=:$(cat "$state/wine/display") WINEPREFIX=$state/wine/prefix WINEDEBUG=-all
  wine "$build/win32/watcher/Korvane.exe" "$(winepath -w "$flags/wine.flg")" >/dev/null 2>&1 &)
sleep 5
pids+=("$(pgrep -n -f 'Korvane.exe')" "$(pgrep -n wineserver)")
labels+=("Korvane.exe (Wine)" "its wineserver")
before=() after=()
for p in "${pids[@]}"; do before+=("$(sample "$p")"); done
sleep "$seconds"
for p in "${pids[@]}"; do after+=("$(sample "$p")"); done
polls=$((seconds / 10)) tick=$(getconf CLK_TCK) wine=$((${#pids[@]} - 2))
ratio() { awk "BEGIN { print ($1) / ($2) }"; }
echo "== idle for $seconds s ($polls polls), side by side"
for i in "${!pids[@]}"; do
  read -r -a a <<<"${before[$i]}" && read -r -a b <<<"${after[$i]}"
  cpu[i]=$(((b[0] - a[0]) * 1000 / tick)) wake[i]=$((b[1] - a[1])) own[i]=${b[5]}
  printf '%-20s %5d ms CPU %5d wake-ups, %5.1f a poll (first thread %d); %d KiB resident, %d KiB own\n' \
    "${labels[i]}" "${cpu[i]}" "${wake[i]}" "$(ratio "${wake[i]}" $polls)" \
    $((b[2] - a[2])) "${b[3]}" "${own[i]}"
done
printf 'Wine (program and wineserver) / GTK: wake-ups %.1f, own memory %.2f\n' \
  "$(ratio "${wake[wine]} + ${wake[wine + 1]}" "${wake[0]}")" \
  "$(ratio "${own[wine]} + ${own[wine + 1]}" "${own[0]}")"
[ -n "$other" ] && printf 'korvane / other korvane: wake-ups %.2f, own memory %.2f\n' \
  "$(ratio "${wake[0]}" "${wake[1]}")" "$(ratio "${own[0]}" "${own[1]}")"
kill "${pids[@]:0:wine}"

echo "== $cycles raise/delete cycles of korvane, its poll sped up by fast_poll.so"
flag=$flags/cycle.flg
LD_PRELOAD=$preload "$build/watcher/korvane" "$flag" &
native=$!
soon() { await 30 "$@" || { echo "stuck in cycle ${cycle:-0}" >&2 && exit 1; }; }
# Up to 30 s: a first start may build the font cache.
wid=$(desktop_window $native Iconic 30)
for ((cycle = 1; cycle <= cycles; cycle++)); do
  : >"$flag"
  soon is_state Normal
  xdotool key --delay 100 alt+f d
  soon test ! -e "$flag"
  soon is_state Iconic
  [ $cycle = 1 ] && read -r -a early <<<"$(sample $native)"
done
read -r -a late <<<"$(sample $native)"
echo "after cycle 1: ${early[5]} KiB own, ${early[3]} KiB resident, ${early[4]} open files"
echo "after cycle $cycles: ${late[5]} KiB own, ${late[3]} KiB resident, ${late[4]} open files"
echo "growth: $((late[5] - early[5])) KiB own, $((late[4] - early[4])) open files"
kill $native
