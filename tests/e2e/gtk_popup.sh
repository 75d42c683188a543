# The GTK scenarios of the pop-up, sourced by gtk.sh: signal, popup and deadshare.

# A second korvane, settings of its own, whose Set Flag gets 56 keys 300 ms apart ($typist)
# while the first pops up; under kwin on Wayland a native one, which says what it cannot do.
typing_window() {
  local first=$pid first_window=$wid
  if [ "$wm" = kwinwl ]; then
    GDK_BACKEND=wayland XDG_CONFIG_HOME=$work/typist NO_AT_BRIDGE=1 "$korvane" </dev/null 2>"$work/typist.err" &
    typing=$! && launched+=($typing)
    await $patience kwin_active 'Flag Notification' && desktop_keys 100 alt+f &&
      await $patience kwin_menu_shown && desktop_keys 100 s && await $patience kwin_active 'Set Flag File'
  else
    with="XDG_CONFIG_HOME=$work/typist" launch "$work/none.flg"
    typing=$pid
    await $patience is_state Iconic && activate && desktop_keys 100 alt+f && await $patience menu_shown &&
      desktop_keys 100 s && await $patience shown '^Set  Flag  File$' && typing_window=$(xdotool getactivewindow)
  fi || fail "no Set Flag in the second korvane"
  desktop_keys 300 $(printf 'x %.0s' {1..56}) &
  typist=$! pid=$first wid=$first_window
}

# The window typed into keeps the focus; confirmed, its Set Flag saved every key, none lost.
typed_all() {
  local saved=$work/typist/korvane/korvane.ini
  [ "$wm" = kwinwl ] && kwin_active 'Set Flag File' || [ "$(xdotool getactivewindow)" = "${typing_window:-}" ] ||
    fail "the window being typed into lost the focus"
  wait $typist
  desktop_keys 100 Tab space
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
  one_probe() { [ "$(stat -c %s "$late.probes")" = 1 ]; }
  holds $((late_start + 21 - SECONDS)) one_probe || fail "a tick probed again while the probe hung"
  rm "$late.dead"
  probed_once() { one_probe && is_state Iconic; }
  holds 2 probed_once || fail "once the share answered, a probe queued while it hung ran at once"
  await $((10 + patience)) is_state Normal || fail "once the share answered, the next poll did not find the flag"
  finish
}
