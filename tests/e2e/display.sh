# The X displays of the fixtures, sourced by scripts/desktop.sh and wine.sh, with the probes.
. "$(dirname "${BASH_SOURCE[0]}")/probes.sh"

# Servers started side by side can pick one display number: a fixture holds this lock
# while its servers pick theirs.
lock_displays() { exec 9>/tmp/flag-notification-display.lock && flock 9; }
unlock_displays() { exec 9>&-; }

# Xvfb on a number it picks, for the fixture whose state dir is $1 (display, xvfb.pid and
# xvfb.log there), detached from the caller's output, or ctest would wait for it to close.
# Xvfb picking its number writes no lock file, and kwin and mutter then take the number
# for free and replace its socket: one is written here. False when none came in 10 s.
start_xvfb_display() {
  setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$1/display" </dev/null \
    >"$1/xvfb.log" 2>&1 9>&- &
  echo $! >"$1/xvfb.pid"
  await 10 test -s "$1/display" && printf '%10d\n' "$(cat "$1/xvfb.pid")" >"/tmp/.X$(cat "$1/display")-lock"
}
