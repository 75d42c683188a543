#!/usr/bin/env bash
# The native korvane on a desktop of its own (scripts/desktop.sh), worked from outside as a user and
# a batch job would: xdotool types and asks the window manager, the probes (probes.sh) read
# the window. The scenarios are in gtk_popup.sh (signal, popup, native, deadshare)
# and gtk_dialogs.sh (complaint, login, access); here is what they share, and the run of one.
#   gtk.sh <signal|complaint|popup|deadshare|login|native|access> <state dir> <korvane> <quellard>
#          <dead_share.so> <fake_keys>
set -u
. "$(dirname "$0")/../../scripts/desktop.sh"
for part in gtk_popup gtk_dialogs; do . "$(dirname "$0")/$part.sh"; done
failed=0 launched=()
fail() { echo "FAILED: $*" && echo "  saw: $(seen)"; failed=1; }

# Starts korvane with the given arguments (and the variables in $with) and finds its window.
launch() {
  env NO_AT_BRIDGE=1 ${with:-} "$korvane" "$@" </dev/null >>"$work/korvane.log" 2>&1 &
  pid=$!
  launched+=($pid)
  await $patience find_window || die "no window: $(cat "$work/korvane.log")"
}

# A process of this shell's that has not ended. Only those are killed: the number of one
# that ended may be another program's by now (a Wine fixture's desktop, say).
ours() { [ "$(awk '{ print $4 }' "/proc/$1/stat" 2>/dev/null)" = $$ ]; }
alive() { ours "$1" && [ "$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null || echo Z)" != Z ]; }

ends_in() {  # seconds, what ended it: korvane ends within them, with status 0
  await "$1" fails alive $pid
  alive $pid && fail "korvane still runs $1 s after $2" && kill -KILL $pid
  wait $pid || fail "korvane ended with $? after $2"
}

# The session ends (SIGTERM, or the signal given): korvane returns 0 at once.
finish() {
  alive $pid && kill -"${1:-TERM}" $pid
  ends_in 2 "SIG${1:-TERM}"
  [ -s "$work/korvane.log" ] && fail "korvane printed: $(cat "$work/korvane.log")"
}

# Keys wait for the window to be active (xdotool's windowactivate --sync gives up at once
# while none is). One active already (not just minimized) is not asked again: the request,
# taken after the next keys, would make the dialog they open too old for the focus.
activate() {
  shown_active || xdotool windowactivate "$wid" 2>/dev/null
  await $patience shown_active
}

menu() {  # the File menu's item with this mnemonic, from the keyboard
  await $patience is_active && desktop_keys 100 alt+f && await $patience menu_shown && desktop_keys 100 "$1"
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
  [ "$wm" != gnome ] || is_active || await $patience shell_banner || fail "GNOME Shell showed no banner"
  await $patience text_at 40 46 || fail "\"Flag is On...\" not drawn at 20, 40 (text top: $(text_top))"
}

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

action=$1 state=$2
case $action in
  signal | complaint | popup | deadshare | login | native | access)
    # korvane's accessible objects reach a reader through a session's accessibility bus
    [ $action != access ] || [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || exec dbus-run-session -- "$0" "$@"
    korvane=$3 quellard=$4 preload=$5 fake_keys=$6 alone=active
    desktop_use "$state"
    wm=$(cat "$state/desktop")
    # korvane on XWayland asks for no focus; the compositor gives it, or not
    [[ $wm == wayland || $wm == kwinwl || $wm == gnome ]] && alone=either
    work=$state/$action
    rm -rf "$work" && mkdir -p "$work/config/korvane"
    export XDG_CONFIG_HOME=$work/config
    trap 'for p in "${launched[@]}"; do alive $p && kill $p; done 2>/dev/null' EXIT
    [ "$wm" != kwinwl ] || { QT_QPA_PLATFORM=wayland qml "$(dirname "$0")/tasks.qml" >"$work/tasks.log" 2>&1 &
      launched+=($!); }
    $action
    [ "$wm" != gnome ] || ! grep -q 'JS ERROR' "$fixture/wm.log" || fail "GNOME Shell: $(grep -m1 -A2 'JS ERROR' "$fixture/wm.log")"
    [ $failed = 0 ] && echo "$action: all checks passed"
    exit $failed
    ;;
  *) die "unknown scenario $action" ;;
esac
