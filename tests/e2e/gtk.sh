#!/usr/bin/env bash
# The native korvane on an Xvfb display with openbox, worked from outside as a user and a
# batch job would: xdotool types and asks the window manager, xprop and a screenshot read.
#   gtk.sh start <state dir>  |  gtk.sh stop <state dir>
#   gtk.sh <signal|complaint> <state dir> <korvane> <quellard>
#   gtk.sh window <state dir> <pid> <Iconic|Normal> <seconds>
#     prints the window of korvane process pid once it is in that state, for the main job
#     and the benchmark
set -u
action=$1 state=$2
shift 2
failed=0
fail() {
  echo "FAILED: $*"
  failed=1
}
die() {
  echo "gtk.sh: $*" >&2
  exit 1
}

stop() {
  for p in openbox xvfb; do [ -f "$state/$p.pid" ] && kill "$(cat "$state/$p.pid")" 2>/dev/null; done
  rm -f "$state"/*.pid "$state/display"
}

start() {
  for tool in Xvfb openbox xdotool xprop xwininfo import; do
    command -v $tool >/dev/null || die "no $tool: run scripts/setup.sh"
  done
  mkdir -p "$state" && stop
  setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state/display" </dev/null \
    >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  await 10 test -s "$state/display" || die "no display: $(cat "$state/xvfb.log")"
  export DISPLAY=:$(cat "$state/display")
  setsid openbox --sm-disable </dev/null >"$state/openbox.log" 2>&1 &
  echo $! >"$state/openbox.pid"
  await 10 xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window || die "no window manager"
  echo "openbox on $DISPLAY"
}

await() {  # seconds, command: true once the command succeeds within that time
  local end=$((SECONDS + $1))
  shift
  until "$@" 2>/dev/null; do
    [ $SECONDS -ge "$end" ] && return 1
    sleep 0.2
  done
}

# The window of the program, once the window manager has taken it on (and shows it in
# state $1, when given); GTK's own leader window bears the same name but is never managed.
find_window() {
  for wid in $(xdotool search --pid $pid --name '^Flag Notification$'); do
    xprop -id "$wid" WM_STATE | grep -q "window state: ${1:-}" && return 0
  done
  return 1
}

# Starts korvane with the given arguments and finds its window.
launch() {
  NO_AT_BRIDGE=1 "$korvane" "$@" </dev/null >"$work/korvane.log" 2>&1 &
  pid=$!
  await 10 find_window || die "no window: $(cat "$work/korvane.log")"
}

# The session ends: the window's rule quits, and the program returns 0.
finish() {
  kill -TERM $pid
  wait $pid || fail "korvane ended with $? on SIGTERM"
  [ -s "$work/korvane.log" ] && fail "korvane printed: $(cat "$work/korvane.log")"
}

is_state() { xprop -id "$wid" WM_STATE | grep -q "window state: $1"; }
is_above() { xprop -id "$wid" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
is_active() { [ "$(xdotool getactivewindow)" = "$wid" ]; }

# The top of the first black text below the menu bar, in pixels from the top of the grey
# drawing area (rows entirely grey 192), or nothing when no text is drawn there.
text_top() {
  import -window "$wid" -depth 8 txt:- | awk -F'[ ,:()]+' 'NR > 1 {
      if ($3 == 192 && $4 == 192 && $5 == 192) grey[$2]++
      if ($3 + $4 + $5 < 150) dark[$2] = 1
      if ($1 + 1 > width) width = $1 + 1
      if ($2 + 1 > height) height = $2 + 1 }
    END { for (y = 0; y < height && grey[y] != width; y++);
      for (t = y; t < height && !dark[t]; t++);
      if (y < height && t < height) print t - y }'
}

text_at() {  # first row, last row: the text's top lies between them
  local top
  top=$(text_top)
  [ -n "$top" ] && [ "$top" -ge "$1" ] && [ "$top" -le "$2" ]
}

menu() {  # the File menu's item with this mnemonic, from the keyboard
  xdotool key alt+f
  sleep 0.5
  xdotool key "$1"
}

# Start-up minimized; the arguments, joined, win over the INI file's name and are not
# saved; quellard raises the flag and within one poll the window is shown, above and
# focused with "Flag is On..."; Delete Flag from the keyboard fails with the error box
# while the file is gone, then removes it and waits again.
signal() {
  local flag="$work/my job.flg" ini=$XDG_CONFIG_HOME/korvane/korvane.ini
  printf '[Command]\nCommandLine=%s\n' "$work/other.flg" >"$ini"
  touch "$work/other.flg"
  local started=$SECONDS
  launch "$work/my" job.flg
  await 5 is_state Iconic || fail "start-up: not minimized"
  "$quellard" "$flag" || fail "quellard could not raise the flag"
  await 11 is_state Normal || fail "the flag was not signalled within one poll"
  [ $((SECONDS - started)) -ge 9 ] || fail "signalled $((SECONDS - started)) s after start: no 10 s poll"
  await 2 is_above || fail "the signalling window is not above the others"
  await 2 is_active || fail "the signalling window has not the focus"
  await 2 text_at 40 46 || fail "\"Flag is On...\" not drawn at 20, 40 (text top: $(text_top))"
  rm "$flag"
  menu d
  timeout 5 xdotool search --sync --name '^Program Error$' >/dev/null || fail "no error box"
  xdotool key Return
  await 3 is_state Normal && "$quellard" "$flag" || fail "a failed Delete Flag ended the signal"
  menu d
  await 3 test ! -e "$flag" || fail "Delete Flag left the flag file"
  await 3 is_state Iconic || fail "after Delete Flag the window does not wait again"
  [ "$(cat "$ini")" = "$(printf '[Command]\nCommandLine=%s' "$work/other.flg")" ] ||
    fail "the INI file changed: $(cat "$ini")"
  finish
}

# No name: a 260 x 160 window, not resizable, with the complaint, which minimizing does not
# hide; Set Flag from the keyboard saves the name, keeping the file's other groups.
complaint() {
  local ini=$XDG_CONFIG_HOME/korvane/korvane.ini
  printf '# notes\n\n[Other]\nkeep=yes\n' >"$ini"
  launch
  await 5 is_state Normal && await 2 text_at 20 26 ||
    fail "no complaint at 20, 20 (text top: $(text_top))"
  xwininfo -id "$wid" | grep -Eq 'Width: 260$' && xwininfo -id "$wid" | grep -Eq 'Height: 160$' &&
    xprop -id "$wid" WM_NORMAL_HINTS | grep -q 'maximum size: 260 by 160' ||
    fail "the window is not a fixed 260 x 160: $(xwininfo -id "$wid" | grep -E 'Width|Height')"
  xdotool windowminimize "$wid"
  sleep 1
  await 3 is_state Normal || fail "minimizing hid the complaint"
  xdotool windowactivate --sync "$wid"
  menu s
  timeout 5 xdotool search --sync --name '^Set  Flag  File$' >/dev/null || fail "no Set Flag File"
  xdotool key ctrl+a type "$work/new.flg"
  xdotool key Tab space
  await 3 grep -qx "CommandLine=$work/new.flg" "$ini" || fail "Set Flag did not save the name"
  grep -qx '# notes' "$ini" && grep -qx 'keep=yes' "$ini" || fail "Set Flag lost the rest: $(cat "$ini")"
  await 3 is_state Iconic || fail "after Set Flag the window does not wait"
  finish
}

case $action in
  start | stop) "$action" ;;
  window)
    export DISPLAY=:$(cat "$state/display")
    pid=$1
    await "$3" find_window "$2" && echo "$wid"
    ;;
  signal | complaint)
    korvane=$1 quellard=$2
    [ -s "$state/display" ] || die "no display: the fixture did not start"
    export DISPLAY=:$(cat "$state/display")
    work=$state/$action
    rm -rf "$work" && mkdir -p "$work/config/korvane"
    export XDG_CONFIG_HOME=$work/config
    trap 'kill $pid 2>/dev/null' EXIT
    $action
    [ $failed = 0 ] && echo "$action: all checks passed"
    exit $failed
    ;;
  *) die "unknown action $action" ;;
esac
