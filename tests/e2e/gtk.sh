#!/usr/bin/env bash
# The native korvane on a display of its own, worked from outside as a user and a batch
# job would: xdotool types and asks the window manager, xprop and a screenshot read.
# Three desktops: Xvfb with openbox, Xvfb with GNOME's mutter, and mutter as a headless
# Wayland compositor with XWayland (inside its own D-Bus session).
#   gtk.sh start <state dir> [openbox|mutter|wayland]  |  gtk.sh stop <state dir>
#   gtk.sh <signal|complaint|popup|deadshare> <state dir> <korvane> <quellard> [dead_share.so]
#   gtk.sh window <state dir> <pid> <Iconic|Normal> <seconds>
#     prints the window of korvane process pid once it is in that state, for the main job
#     and the benchmarks
set -u
action=$1 state=$2
shift 2
failed=0 launched=()
# How long a step may take on a busy machine: a deadline, never a pause. Each wait ends as
# soon as the state it waits for is seen.
patience=10
fail() {
  echo "FAILED: $*"
  echo "  saw: $(seen)"
  failed=1
}
die() {
  echo "gtk.sh: $*" >&2
  exit 1
}

# Each piece runs in a process group of its own, so its helpers (XWayland, the bus) go too.
stop() {
  for p in wm xvfb; do
    [ -f "$state/$p.pid" ] && { kill -- -"$(cat "$state/$p.pid")" || kill "$(cat "$state/$p.pid")"; } 2>/dev/null
  done
  rm -f "$state"/*.pid "$state/display" "$state/env"
}

# The display of the fixture, and for Wayland the compositor's socket and XWayland's key.
use_display() {
  [ -s "$state/display" ] || die "no display: the fixture did not start"
  export DISPLAY=:$(cat "$state/display")
  [ -f "$state/env" ] && . "$state/env"
}

has_wm() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

start_xvfb() {
  setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state/display" </dev/null \
    >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  await $patience test -s "$state/display" || die "no display: $(cat "$state/xvfb.log")"
  export DISPLAY=:$(cat "$state/display")
  case $1 in
    openbox) setsid openbox --sm-disable </dev/null >"$state/wm.log" 2>&1 & ;;
    mutter) setsid mutter --x11 --replace --sm-disable </dev/null >"$state/wm.log" 2>&1 & ;;
  esac
  echo $! >"$state/wm.pid"
}

# mutter picks its X display itself and names it in its log; it writes XWayland's key
# into the runtime folder.
start_wayland() {
  local runtime=$state/runtime
  rm -rf "$runtime" && mkdir -m 700 "$runtime"
  XDG_RUNTIME_DIR=$runtime setsid dbus-run-session -- mutter --wayland --headless \
    --virtual-monitor 1024x768 --wayland-display korvane-test </dev/null >"$state/wm.log" 2>&1 &
  echo $! >"$state/wm.pid"
  await $patience grep -q 'Using public X11 display' "$state/wm.log" ||
    die "no XWayland: $(cat "$state/wm.log")"
  sed -n 's/.*Using public X11 display :\([0-9]*\).*/\1/p' "$state/wm.log" >"$state/display"
  printf 'export XDG_RUNTIME_DIR=%q WAYLAND_DISPLAY=korvane-test XAUTHORITY=%q\n' "$runtime" \
    "$(ls "$runtime"/.mutter-Xwaylandauth.*)" >"$state/env"
  use_display
}

start() {
  local wm=${1:-openbox} need="Xvfb ${1:-openbox}"
  [ "$wm" = wayland ] && need="dbus-run-session mutter Xwayland"
  for tool in $need xdotool xprop xwininfo import; do
    command -v $tool >/dev/null || die "no $tool: run scripts/setup.sh"
  done
  # The last start's logs go: this one reads its own, not what that one wrote.
  mkdir -p "$state" && stop && rm -f "$state"/*.log
  if [ "$wm" = wayland ]; then start_wayland; else start_xvfb "$wm"; fi
  await $patience has_wm || die "no window manager: $(cat "$state/wm.log")"
  echo "$wm on $DISPLAY"
}

await() {  # seconds, command: true once the command succeeds within that time
  local end=$((SECONDS + $1))
  shift
  until "$@" 2>/dev/null; do
    [ $SECONDS -ge "$end" ] && return 1
    sleep 0.2
  done
}

# For what must not happen: true when the command holds all the time, watched for that
# many seconds. The one wait that is a length of time, since "not" has no moment to see.
holds() {
  local end=$((SECONDS + $1))
  shift
  while [ $SECONDS -lt "$end" ]; do
    "$@" 2>/dev/null || return 1
    sleep 0.2
  done
}

# The window of the program, once the window manager has taken it on (and shows it in
# state $1, when given); GTK's own leader window bears the same name but is never managed.
find_window() {
  for wid in $(xdotool search --all --pid $pid --name '^Flag Notification$'); do
    xprop -id "$wid" WM_STATE | grep -q "window state: ${1:-}" && return 0
  done
  return 1
}

# Starts korvane with the given arguments (and the variables in $with) and finds its window.
launch() {
  env ${with:-} NO_AT_BRIDGE=1 "$korvane" "$@" </dev/null >>"$work/korvane.log" 2>&1 &
  pid=$!
  launched+=($pid)
  await $patience find_window || die "no window: $(cat "$work/korvane.log")"
}

alive() { [ "$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null || echo Z)" != Z ]; }

ends_in() {  # seconds, what ended it: korvane ends within them, with status 0
  for ((n = 0; n < $1 * 10; n++)); do alive $pid || break; sleep 0.1; done
  alive $pid && fail "korvane still runs $1 s after $2" && kill -KILL $pid
  wait $pid || fail "korvane ended with $? after $2"
}

# The session ends: the window's rule quits, and the program returns 0 at once.
finish() {
  kill -TERM $pid
  ends_in 2 SIGTERM
  [ -s "$work/korvane.log" ] && fail "korvane printed: $(cat "$work/korvane.log")"
}

is_state() { xprop -id "$wid" WM_STATE | grep -q "window state: $1"; }
# What a failed check saw: korvane's window, the one with the focus, and every window of
# korvane's on the screen.
seen() {
  echo "window ${wid:-none}: $(xprop -id "${wid:-0}" WM_STATE _NET_WM_STATE 2>&1 | grep -Eo 'state: \w+|= .*' | tr '\n' ' ')," \
    "active: $(xdotool getactivewindow getwindowname 2>/dev/null || echo none), shown:" \
    "$(for w in $(xdotool search --onlyvisible --pid "${pid:-0}"); do xdotool getwindowname "$w"; done | tr '\n' ,)"
}
is_above() { xprop -id "$wid" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$wid" ]; }
is_urgent() { xprop -id "$wid" WM_HINTS | grep -q 'urgency hint bit is set'; }
shown() { xdotool getactivewindow getwindowname 2>/dev/null | grep -Eq "$1"; }  # and has the focus
gone() { ! shown "$1"; }

# The grey drawing area is on the screen: 100 rows of it at least.
painted() {
  import -window "$wid" -depth 8 txt:- | awk -F'[ ,:()]+' 'NR > 1 {
      if ($3 == 192 && $4 == 192 && $5 == 192) grey[$2]++
      if ($1 + 1 > width) width = $1 + 1 }
    END { for (y in grey) rows += grey[y] == width; exit rows < 100 }'
}

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

# Keys go to the window with the focus, so each wait for the window to be active first.
# (xdotool's own windowactivate --sync gives up at once while no window is active, as
# after korvane has minimized itself; the keys sent next were lost.) A window that is
# active already is not asked again: the window manager may take the request after the
# keys that follow, and then deny the focus to the dialog they opened, as older. (Just
# minimized, a window may still be named active.)
shown_active() { is_state Normal && is_active; }
activate() {
  shown_active || xdotool windowactivate "$wid" 2>/dev/null
  await $patience shown_active
}

# One of korvane's pop-up menus is on the screen, and so has the keyboard.
menu_shown() {
  local w
  for w in $(xdotool search --onlyvisible --pid $pid); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_POPUP_MENU && return 0
  done
  return 1
}

menu() {  # the File menu's item with this mnemonic, from the keyboard
  await $patience is_active && xdotool key alt+f && await $patience menu_shown && xdotool key "$1"
}

# Within one poll of start-up (at $1) the window is shown, above, focused and asking for
# attention, with "Flag is On...". The poll is 10 s: not before 9 s, and a busy machine
# may start korvane late.
signalled() {
  await $((10 + patience)) is_state Normal || fail "the flag was not signalled within one poll"
  [ $((SECONDS - $1)) -ge 9 ] || fail "signalled $((SECONDS - $1)) s after start: no 10 s poll"
  await $patience is_above || fail "the signalling window is not above the others"
  await $patience is_active || fail "the signalling window has not the focus"
  await $patience is_urgent || fail "the signalling window does not ask for attention"
  await $patience text_at 40 46 || fail "\"Flag is On...\" not drawn at 20, 40 (text top: $(text_top))"
}

# Minimizes the window as a user does, and waits until the window manager has taken it
# away (its WM_STATE changed), however briefly: korvane may bring it straight back.
user_minimize() {
  xprop -spy -id "$wid" WM_STATE >"$work/spy" 2>/dev/null &
  local spy=$! status
  await $patience spied 1 && xdotool windowminimize "$wid" && await $patience spied 2
  status=$?
  kill $spy
  return $status
}
spied() { [ "$(grep -c 'window state' "$work/spy")" -ge "$1" ]; }  # the spy saw so many states

# A second korvane's Set Flag, into which keys are typed while the first pops up ($typist).
typing_window() {
  local first=$pid first_window=$wid
  launch "$work/none.flg"
  typing=$pid
  await $patience is_state Iconic && activate && menu s &&
    await $patience shown '^Set  Flag  File$' || fail "no Set Flag in the second korvane"
  xdotool type --delay 240 "$(printf 'x%.0s' {1..100})" &
  typist=$! pid=$first wid=$first_window
}

# Start-up minimized; the arguments, joined, win over the INI file's name and are not
# saved; restored from the taskbar the window stays open; quellard raises the flag and the
# window pops up above the window being typed into; Delete Flag from the keyboard fails
# with the error box while the file is gone, then removes it and waits again.
signal() {
  local flag="$work/my job.flg" ini=$XDG_CONFIG_HOME/korvane/korvane.ini
  printf '[Command]\nCommandLine=%s\n' "$work/other.flg" >"$ini"
  touch "$work/other.flg"
  local started=$SECONDS
  launch "$work/my" job.flg
  await $patience is_state Iconic || fail "start-up: not minimized"
  activate && await $patience is_state Normal && holds 1 is_state Normal ||
    fail "restored, the window did not stay"
  user_minimize && await $patience is_state Iconic || fail "minimized by the user, the window does not wait"
  typing_window
  "$quellard" "$flag" || fail "quellard could not raise the flag"
  signalled $started
  alive $typist || fail "the keys were typed too early to test the pop-up"
  kill $typist 2>/dev/null
  # The session ends while Set Flag holds a new name: nothing is saved.
  local first=$pid
  kill -TERM $typing
  pid=$typing && ends_in 2 "SIGTERM in Set Flag" && pid=$first
  rm "$flag"
  menu d
  await $patience shown '^Program Error$' || fail "no error box"
  xdotool key Return
  await $patience is_state Normal && "$quellard" "$flag" || fail "a failed Delete Flag ended the signal"
  menu d
  await $patience test ! -e "$flag" || fail "Delete Flag left the flag file"
  await $patience is_state Iconic || fail "after Delete Flag the window does not wait again"
  is_urgent && fail "the waiting window still asks for attention"
  [ "$(cat "$ini")" = "$(printf '[Command]\nCommandLine=%s' "$work/other.flg")" ] ||
    fail "the INI file changed: $(cat "$ini")"
  finish
}

# Korvane started with no backend named, on the desktop at hand.
popup() {
  local flag=$work/job.flg started=$SECONDS
  unset GDK_BACKEND
  launch "$flag"
  await $patience is_state Iconic || fail "start-up: not minimized"
  "$quellard" "$flag" || fail "quellard could not raise the flag"
  signalled $started
  finish
}

# No name: a 260 x 160 window, not resizable, with the complaint, which minimizing does not
# hide and which is kept above when About takes the focus; only OK closes About. In Set
# Flag, Enter cancels, OK on an empty field keeps the dialog, and a name is saved keeping
# the file's other groups. The session ends while About is open, at once.
complaint() {
  local ini=$XDG_CONFIG_HOME/korvane/korvane.ini about='^About   Korvane$' set='^Set  Flag  File$'
  printf '# notes\n\n[Other]\nkeep=yes\n' >"$ini"
  local kept=$(cat "$ini")
  launch
  await $patience is_state Normal && await $patience text_at 20 26 ||
    fail "no complaint at 20, 20 (text top: $(text_top))"
  xwininfo -id "$wid" | grep -Eq 'Width: 260$' && xwininfo -id "$wid" | grep -Eq 'Height: 160$' &&
    xprop -id "$wid" WM_NORMAL_HINTS | grep -q 'maximum size: 260 by 160' ||
    fail "the window is not a fixed 260 x 160: $(xwininfo -id "$wid" | grep -E 'Width|Height')"
  user_minimize && await $patience is_state Normal || fail "minimizing hid the complaint"
  activate && menu a
  await $patience shown "$about" || fail "no About"
  await $patience is_above || fail "having lost the focus, the complaint is not kept above"
  xdotool key Escape
  holds 1 shown "$about" || fail "Escape closed About"
  xdotool key Return
  await $patience gone "$about" || fail "OK did not close About"
  menu s
  await $patience shown "$set" && xdotool key ctrl+a type "$work/enter.flg" && xdotool key Return
  await $patience gone "$set" && [ "$(cat "$ini")" = "$kept" ] || fail "Enter in Set Flag confirmed it"
  menu s
  await $patience shown "$set" && xdotool key ctrl+a BackSpace Tab space && holds 1 shown "$set" ||
    fail "OK on an empty field closed Set Flag"
  xdotool type "$work/new.flg"
  xdotool key Tab space
  await $patience grep -qx "CommandLine=$work/new.flg" "$ini" || fail "Set Flag did not save the name"
  grep -qx '# notes' "$ini" && grep -qx 'keep=yes' "$ini" || fail "Set Flag lost the rest: $(cat "$ini")"
  await $patience is_state Iconic || fail "after Set Flag the window does not wait"
  kept=$(cat "$ini")
  activate && menu a
  await $patience shown "$about" || fail "no About from the restored window"
  finish
  [ "$(cat "$ini")" = "$kept" ] || fail "the INI file changed: $(cat "$ini")"
}

# Flags on a share that stops answering ($preload blocks their open), three korvanes side
# by side. While the probe hangs, the window restored from the taskbar is painted, its File
# menu opens and the window's close ends the program at once. A slow share's late answer
# does not bring back a flag deleted meanwhile. A hung probe lets no other start, and once
# the share answers (the open fails) the next poll, not one queued, finds the flag.
deadshare() {
  local hung=$work/hung.flg late=$work/late.flg slow=$work/slow.flg
  touch "$hung" "$hung.dead" "$late" "$late.dead" "$slow" "$slow.slow"
  with="LD_PRELOAD=$preload DEAD_SHARE=$late" launch "$late"
  local late_pid=$pid late_window=$wid late_start=$SECONDS
  with="LD_PRELOAD=$preload DEAD_SHARE=$slow" launch "$slow"
  local slow_pid=$pid slow_window=$wid
  with="LD_PRELOAD=$preload DEAD_SHARE=$hung" launch "$hung"
  await $((10 + patience)) test -s "$hung.probes" || fail "no probe of the flag"
  activate && await $patience is_state Normal && await $patience painted ||
    fail "with the probe hung, the window is not painted"
  menu a
  await $patience shown '^About   Korvane$' && xdotool key Return ||
    fail "with the probe hung, the File menu does not open"
  activate && xdotool key alt+F4
  ends_in 2 "the window's close, with the probe hung"
  # The slow share: the probe has found the flag when the user deletes it.
  pid=$slow_pid wid=$slow_window
  await $((10 + patience)) test -s "$slow.probes" && activate && await $patience is_state Normal &&
    menu d && await $patience test ! -e "$slow" && await $patience is_state Iconic ||
    fail "no Delete Flag on a slow share"
  rm "$slow.slow"
  holds 2 is_state Iconic || fail "the answer of a probe from before Delete Flag signalled the deleted flag"
  finish
  # Two more polls come while the late share's first probe hangs: a length of time, by
  # the poll. Then the share answers, and only the poll after finds the flag.
  pid=$late_pid wid=$late_window
  local left=$((late_start + 21 - SECONDS))
  [ $left -gt 0 ] && sleep $left
  [ "$(stat -c %s "$late.probes")" = 1 ] || fail "a tick probed again while the probe hung"
  rm "$late.dead"
  probed_once() { [ "$(stat -c %s "$late.probes")" = 1 ] && is_state Iconic; }
  holds 2 probed_once || fail "once the share answered, a probe queued while it hung ran at once"
  await $((10 + patience)) is_state Normal || fail "once the share answered, the next poll did not find the flag"
  finish
}

# The options: an unknown one is refused with status 2; --start-at-login writes a valid
# login entry whose Exec line starts korvane minimized on the saved name; after "--" a
# name may begin with '-'; --no-start-at-login removes the entry, or hides one for all users.
login() {
  local entry=$XDG_CONFIG_HOME/autostart/korvane.desktop program=$korvane
  printf '[Command]\nCommandLine=%s\n' "$work/saved.flg" >"$XDG_CONFIG_HOME/korvane/korvane.ini"
  "$korvane" --bogus 2>"$work/err"
  [ $? = 2 ] && [ "$(cat "$work/err")" = $'korvane: Unknown option --bogus\nUsage: korvane [OPTION] [--] [NAME...]' ] ||
    fail "an unknown option: $(cat "$work/err")"
  "$korvane" --start-at-login && desktop-file-validate "$entry" || fail "no valid login entry"
  eval "set -- $(sed -n 's/^Exec=//p' "$entry")"
  korvane=$1 && shift && launch "$@"
  korvane=$program
  await $patience is_state Iconic || fail "started from the login entry, korvane does not wait"
  finish
  cd "$work" && launch -- -odd.flg
  local started=$SECONDS
  "$quellard" -- -odd.flg || fail "quellard could not raise -odd.flg"
  signalled $started
  finish
  "$korvane" --no-start-at-login && [ ! -e "$entry" ] || fail "the login entry was not removed"
  mkdir -p "$work/all/autostart" && cp /dev/null "$work/all/autostart/korvane.desktop"
  XDG_CONFIG_DIRS=$work/all "$korvane" --no-start-at-login && grep -qx Hidden=true "$entry" &&
    desktop-file-validate "$entry" || fail "an entry for all users was not hidden"
}

case $action in
  start | stop) "$action" "$@" ;;
  window)
    use_display
    pid=$1
    await "$3" find_window "$2" && echo "$wid"
    ;;
  signal | complaint | popup | deadshare | login)
    korvane=$1 quellard=$2 preload=${3:-}
    use_display
    work=$state/$action
    rm -rf "$work" && mkdir -p "$work/config/korvane"
    export XDG_CONFIG_HOME=$work/config
    trap 'kill ${launched[@]} 2>/dev/null' EXIT
    $action
    [ $failed = 0 ] && echo "$action: all checks passed"
    exit $failed
    ;;
  *) die "unknown action $action" ;;
esac
