#!/usr/bin/env bash
# The native korvane on a display of its own, worked from outside as a user and a batch job
# would: xdotool types and asks the window manager, xprop and a screenshot read. Xvfb with
# openbox, mutter or kwin, or mutter or kwin headless on Wayland with XWayland (wayland, kwinwl).
#   gtk.sh start <state dir> [openbox|mutter|kwin|wayland|kwinwl]  |  gtk.sh stop <state dir>
#   gtk.sh <signal|complaint|popup|deadshare|login> <state dir> <korvane> <quellard>
#          <dead_share.so> <fake_keys> <iconic_remap.so>
#   gtk.sh window <state dir> <pid> <Iconic|Normal> <seconds>: korvane's window once in that
#     state, for the main job and the benchmarks
set -u
. "$(dirname "$0")/display.sh"
action=$1 state=$2
shift 2
failed=0 launched=()
# How long a step may take on a busy machine: a deadline, never a pause.
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

stop() {  # each piece in a process group of its own, so its helpers (XWayland, the bus) go too
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
  start_xvfb_display "$state" || die "no display: $(cat "$state/xvfb.log")"
  export DISPLAY=:$(cat "$state/display")
  case $1 in
    openbox) setsid openbox --sm-disable </dev/null >"$state/wm.log" 2>&1 9>&- & ;;
    mutter) setsid mutter --x11 --replace --sm-disable </dev/null >"$state/wm.log" 2>&1 9>&- & ;;
    kwin) XDG_CONFIG_HOME=$state/config XDG_CACHE_HOME=$state/cache setsid dbus-run-session -- \
      kwin_x11 --replace </dev/null >"$state/wm.log" 2>&1 9>&- & ;;
  esac
  echo $! >"$state/wm.pid"
}

# mutter picks its X display itself and names it in its log; it writes XWayland's key
# into the runtime folder.
start_wayland() {
  local runtime=$state/runtime
  rm -rf "$runtime" && mkdir -m 700 "$runtime"
  XDG_RUNTIME_DIR=$runtime setsid dbus-run-session -- mutter --wayland --headless \
    --virtual-monitor 1024x768 --wayland-display korvane-test </dev/null >"$state/wm.log" 2>&1 9>&- &
  echo $! >"$state/wm.pid"
  await $patience grep -q 'Using public X11 display' "$state/wm.log" ||
    die "no XWayland: $(cat "$state/wm.log")"
  sed -n 's/.*Using public X11 display :\([0-9]*\).*/\1/p' "$state/wm.log" >"$state/display"
  printf 'export XDG_RUNTIME_DIR=%q WAYLAND_DISPLAY=korvane-test XAUTHORITY=%q\n' "$runtime" \
    "$(ls "$runtime"/.mutter-Xwaylandauth.*)" >"$state/env"
  use_display
}

# kwin tells its X display only to the session it starts, here a script that writes it
# down. Debian's kwin_wayland carries a file capability that a container refuses to run;
# a copy carries none.
start_kwinwl() {
  local runtime=$state/runtime
  rm -rf "$runtime" && mkdir -m 700 "$runtime" && cp "$(command -v kwin_wayland)" "$state/"
  cat >"$state/session" <<'EOF'
#!/bin/sh
echo "export WAYLAND_DISPLAY=$WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS" >"$XDG_RUNTIME_DIR/env"
echo "${DISPLAY#:}" >"$XDG_RUNTIME_DIR/display"
exec sleep infinity
EOF
  chmod +x "$state/session"
  XDG_RUNTIME_DIR=$runtime XDG_CONFIG_HOME=$state/config XDG_CACHE_HOME=$state/cache \
    KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 setsid dbus-run-session -- "$state/kwin_wayland" --virtual \
    --xwayland --socket korvane-test --exit-with-session="$state/session" </dev/null \
    >"$state/wm.log" 2>&1 9>&- &
  echo $! >"$state/wm.pid"
  await $patience test -s "$runtime/display" || die "no XWayland: $(cat "$state/wm.log")"
  cp "$runtime/display" "$state/display" && cp "$runtime/env" "$state/env"
  printf 'export XDG_RUNTIME_DIR=%q\n' "$runtime" >>"$state/env"
  use_display
}

start() {
  local wm=${1:-openbox}
  case $wm in
    wayland) need="dbus-run-session mutter Xwayland" ;;
    kwin | kwinwl) need="dbus-run-session kwin_x11 kwin_wayland Xwayland gdbus" ;;
    *) need="Xvfb $wm" ;;
  esac
  for tool in $need Xvfb xdotool xprop xwininfo import; do
    command -v $tool >/dev/null || die "no $tool: run scripts/setup.sh"; done
  # The last start's logs go: this one reads its own, not what that one wrote.
  mkdir -p "$state" && stop && rm -f "$state"/*.log && echo "$wm" >"$state/desktop"
  lock_displays  # mutter and kwin on Wayland pick a number for XWayland too
  case $wm in
    wayland | kwinwl) start_$wm ;;
    *) start_xvfb "$wm" ;;
  esac
  unlock_displays
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

# What must not happen: the command holds all those seconds ("not" has no moment to see).
holds() { ! await "$1" fails "${@:2}"; }
fails() { ! "$@"; }

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

# A process of this shell's that has not ended. Only those are killed: the number of one
# that ended may be another program's by now (a Wine fixture's desktop, say).
ours() { [ "$(awk '{ print $4 }' "/proc/$1/stat" 2>/dev/null)" = $$ ]; }
alive() { ours "$1" && [ "$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null || echo Z)" != Z ]; }

ends_in() {  # seconds, what ended it: korvane ends within them, with status 0
  for ((n = 0; n < $1 * 10; n++)); do alive $pid || break; sleep 0.1; done
  alive $pid && fail "korvane still runs $1 s after $2" && kill -KILL $pid
  wait $pid || fail "korvane ended with $? after $2"
}

# The session ends (SIGTERM, or the signal given): korvane returns 0 at once.
finish() {
  alive $pid && kill -"${1:-TERM}" $pid
  ends_in 2 "SIG${1:-TERM}"
  [ -s "$work/korvane.log" ] && fail "korvane printed: $(cat "$work/korvane.log")"
}

is_state() { xprop -id "$wid" WM_STATE | grep -q "window state: $1"; }
# What a failed check saw: korvane's window, the active one, and korvane's on the screen.
seen() {
  echo "window ${wid:-none}: $(xprop -id "${wid:-0}" WM_STATE _NET_WM_STATE 2>&1 | grep -Eo 'state: \w+|= .*' | tr '\n' ' ')," \
    "active: $(xdotool getactivewindow getwindowname 2>/dev/null || echo none), shown:" \
    "$(for w in $(xdotool search --onlyvisible --pid "${pid:-0}"); do xdotool getwindowname "$w"; done | tr '\n' ,)"
}
is_above() { xprop -id "$wid" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$wid" ]; }
is_urgent() { xprop -id "$wid" WM_HINTS | grep -q 'urgency hint bit is set'; }
shown() { xdotool getactivewindow getwindowname 2>/dev/null | grep -Eq "$1"; }  # and has the focus

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

# Keys wait for the window to be active (xdotool's windowactivate --sync gives up at once
# while none is). One active already (not just minimized) is not asked again: the request,
# taken after the next keys, would make the dialog they open too old for the focus.
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

# Within one poll of start-up (at $1) the window is shown, above, asking for attention, with
# "Flag is On...", and ($2) "active", "attention" (without the focus) or "either". The poll
# is 10 s: not before 9 s, and a busy machine may start korvane late.
signalled() {
  await $((10 + patience)) is_state Normal || fail "the flag was not signalled within one poll"
  [ $((SECONDS - $1)) -ge 9 ] || fail "signalled $((SECONDS - $1)) s after start: no 10 s poll"
  await $patience is_above || fail "the signalling window is not above the others"
  await $patience is_urgent || fail "the signalling window does not ask for attention"
  case $2 in
    active) await $patience is_active || fail "the signalling window has not the focus" ;;
    attention) holds 1 fails is_active || fail "the signalling window took the focus" ;;
  esac
  await $patience text_at 40 46 || fail "\"Flag is On...\" not drawn at 20, 40 (text top: $(text_top))"
}
quiet() { is_state Iconic && ! is_urgent && ! xprop -id "$wid" _NET_WM_STATE | grep -q DEMANDS_ATTENTION; }

# Whether a kwin script's expression has this value: it sees native Wayland windows, which
# xdotool does not, and says so in kwin's log.
kwin_says() {  # value (the start of it), JavaScript expression
  local call="gdbus call --session --dest org.kde.KWin --object-path /Scripting --method org.kde.kwin.Scripting"
  local tag=probe$((++probes))
  echo "print('$tag ' + ($2));" >"$work/$tag.js"
  $call.loadScript "$work/$tag.js" $tag >/dev/null && $call.start >/dev/null &&
    await $patience grep -q "^js: $tag" "$state/wm.log"
  $call.unloadScript $tag >/dev/null
  grep -q "^js: $tag $1" "$state/wm.log"
}
# kwin's active window's caption (blanks squeezed, "<2>" after a second), and its menus.
kwin_active() { kwin_says "$1" "workspace.activeClient ? workspace.activeClient.caption : ''"; }
kwin_menu_shown() { kwin_says true "workspace.clientList().some(function(c) { return c.popupWindow; })"; }

# Minimizes as a user does, until WM_STATE changed, however briefly (it may come back).
user_minimize() {
  xprop -spy -id "$wid" WM_STATE >"$work/spy" 2>/dev/null &
  local spy=$! status
  await $patience spied 1 && xdotool windowminimize "$wid" && await $patience spied 2
  status=$?
  kill $spy
  return $status
}
spied() { [ "$(grep -c 'window state' "$work/spy")" -ge "$1" ]; }  # the spy saw so many states

# A second korvane, settings of its own, whose Set Flag gets 56 keys 300 ms apart ($typist)
# while the first pops up; under kwin on Wayland a native one, which says what it cannot do.
typing_window() {
  local first=$pid first_window=$wid
  if [ "$wm" = kwinwl ]; then
    GDK_BACKEND=wayland XDG_CONFIG_HOME=$work/typist NO_AT_BRIDGE=1 "$korvane" </dev/null 2>"$work/typist.err" &
    typing=$! && launched+=($typing)
    await $patience kwin_active 'Flag Notification' && "$fake_keys" 100 +56 33 &&
      await $patience kwin_menu_shown && "$fake_keys" 100 31 && await $patience kwin_active 'Set Flag File' ||
      fail "no Set Flag in the native korvane"
    "$fake_keys" 300 $(printf '45 %.0s' {1..56}) &
  else
    with="XDG_CONFIG_HOME=$work/typist" launch "$work/none.flg"
    typing=$pid
    await $patience is_state Iconic && activate && menu s &&
      await $patience shown '^Set  Flag  File$' || fail "no Set Flag in the second korvane"
    typing_window=$(xdotool getactivewindow)
    xdotool type --delay 600 "$(printf 'x%.0s' {1..56})" &  # half the delay between keys
  fi
  typist=$! pid=$first wid=$first_window
}

# The window typed into keeps the focus; confirmed, its Set Flag saved every key, none lost.
typed_all() {
  local saved=$work/typist/korvane/korvane.ini
  [ "$wm" = kwinwl ] && kwin_active 'Set Flag File' || [ "$(xdotool getactivewindow)" = "${typing_window:-}" ] ||
    fail "the window being typed into lost the focus"
  wait $typist
  if [ "$wm" = kwinwl ]; then "$fake_keys" 100 15 57; else xdotool key Tab space; fi
  await $patience grep -qx "CommandLine=$(printf 'x%.0s' {1..56})" "$saved" ||
    fail "of 56 keys typed, the other window saved $(cat "$saved" 2>&1)"
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
  await $((10 + patience)) is_state Normal && alive $typist || fail "the keys were typed too early to test the pop-up"
  signalled $started attention
  typed_all
  [ "$wm" != kwinwl ] || [ "$(grep -c GDK_BACKEND=x11 "$work/typist.err")" = 1 ] ||
    fail "a native Wayland korvane did not say once what it cannot do: $(cat "$work/typist.err")"
  local first=$pid
  kill -TERM $typing
  pid=$typing && ends_in 2 "SIGTERM" && pid=$first
  rm "$flag"
  activate && menu d
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

# Taken back minimized at first, it is shown again. With no backend named and no other
# window in use, it takes the focus, but on XWayland, which cannot tell, asks for none
# ($alone). Minimized by the user, it waits with no mark of attention left. SIGHUP ends it too.
popup() {
  local flag=$work/job.flg started=$SECONDS
  unset GDK_BACKEND
  with="LD_PRELOAD=$remap" launch "$flag"
  await $patience is_state Iconic || fail "start-up: not minimized"
  "$quellard" "$flag" || fail "quellard could not raise the flag"
  signalled $started $alone
  user_minimize && await $patience quiet || fail "minimized by the user, it still asks for attention"
  finish HUP
}

# No name: a 260 x 160 window, not resizable, with the complaint, which minimizing does not
# hide and which is kept above when About takes the focus; only OK closes About. In Set
# Flag, Enter cancels, OK on an empty field keeps the dialog, and a name is saved keeping
# the file's other groups. The session ends while Set Flag holds a new name: at once, and
# nothing is saved.
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
  await $patience fails shown "$about" || fail "OK did not close About"
  menu s
  await $patience shown "$set" && xdotool key ctrl+a type "$work/enter.flg" && xdotool key Return
  await $patience fails shown "$set" && [ "$(cat "$ini")" = "$kept" ] || fail "Enter in Set Flag confirmed it"
  menu s
  await $patience shown "$set" && xdotool key ctrl+a BackSpace Tab space && holds 1 shown "$set" ||
    fail "OK on an empty field closed Set Flag"
  xdotool type "$work/new.flg"
  xdotool key Tab space
  await $patience grep -qx "CommandLine=$work/new.flg" "$ini" || fail "Set Flag did not save the name"
  grep -qx '# notes' "$ini" && grep -qx 'keep=yes' "$ini" || fail "Set Flag lost the rest: $(cat "$ini")"
  await $patience is_state Iconic || fail "after Set Flag the window does not wait"
  kept=$(cat "$ini")
  activate && menu s
  await $patience shown "$set" && xdotool type "$work/unsaved.flg" || fail "no Set Flag from the restored window"
  finish
  [ "$(cat "$ini")" = "$kept" ] || fail "the INI file changed: $(cat "$ini")"
}

# Flags on a share that stops answering ($preload), three korvanes side by side. With the probe
# and a Delete Flag hung, the window is painted, its menu opens, its close ends it at once. A
# slow share's late answer does not bring back a deleted flag. A hung probe lets no other
# start; once the share answers (the open fails) the next poll, not one queued, finds the flag.
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
  menu d && menu a
  await $patience shown '^About   Korvane$' && xdotool key Return ||
    fail "with the probe and the delete hung, the File menu does not open"
  activate && xdotool key alt+F4
  ends_in 2 "the window's close, with the probe and the delete hung"
  # The slow share: the probe has found the flag when the user deletes it.
  pid=$slow_pid wid=$slow_window
  await $((10 + patience)) test -s "$slow.probes" && activate && await $patience is_state Normal &&
    menu d && await $patience test ! -e "$slow" && await $patience is_state Iconic ||
    fail "no Delete Flag on a slow share"
  rm "$slow.slow"
  holds 2 is_state Iconic || fail "the answer of a probe from before Delete Flag signalled the deleted flag"
  activate && menu a && await $patience shown '^About   Korvane$' || fail "no About"
  finish
  # Two more polls while the late share's first probe hangs, then the share answers.
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
# login entry whose Exec line starts korvane (here in a folder with a blank in its name)
# minimized on the saved name; after "--" a name may begin with '-'; --no-start-at-login
# removes the entry, or hides one for all users.
login() {
  local entry=$XDG_CONFIG_HOME/autostart/korvane.desktop program="$work/my bin/korvane"
  mkdir "$work/my bin" && cp "$korvane" "$program" && korvane=$program
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
  signalled $started active
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
    korvane=$1 quellard=$2 preload=$3 fake_keys=$4 remap=$5 wm=$(cat "$state/desktop") probes=0 alone=active
    # korvane on XWayland asks for no focus; the compositor gives it, or not
    [[ $wm == wayland || $wm == kwinwl ]] && alone=either
    use_display
    work=$state/$action
    rm -rf "$work" && mkdir -p "$work/config/korvane"
    export XDG_CONFIG_HOME=$work/config
    trap 'for p in "${launched[@]}"; do alive $p && kill $p; done 2>/dev/null' EXIT
    $action
    [ $failed = 0 ] && echo "$action: all checks passed"
    exit $failed
    ;;
  *) die "unknown action $action" ;;
esac
