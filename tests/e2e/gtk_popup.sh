# The GTK scenarios of the pop-up, sourced by gtk.sh: signal, popup, native and deadshare.

# The typist is a native Wayland korvane under kwin and GNOME Shell on Wayland.
native_typist() { [[ ${typist_x:-0} = 0 && ($wm == kwinwl || $wm == gnome) ]]; }

# A second korvane, settings of its own, whose Set Flag gets 56 keys 300 ms apart ($typist)
# while the first pops up; under kwin and GNOME Shell on Wayland a native one, which says
# what it cannot do, but for $typist_x.
typing_window() {
  local first=$pid first_window=$wid
  if native_typist; then
    GDK_BACKEND=wayland XDG_CONFIG_HOME=$work/typist NO_AT_BRIDGE=1 "$korvane" </dev/null 2>"$work/typist.err" &
    typing=$! && launched+=($typing)
    await $patience active_is 'Flag Notification' && desktop_keys 100 alt+f &&
      await $patience compositor_menu_shown && desktop_keys 100 s && await $patience active_is 'Set  *Flag  *File'
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
  native_typist && active_is 'Set  *Flag  *File' || [ "$(xdotool getactivewindow)" = "${typing_window:-}" ] ||
    fail "the window being typed into lost the focus"
  wait $typist
  desktop_keys 100 Tab space
  await $patience grep -qx "CommandLine=$(printf 'x%.0s' {1..56})" "$saved" ||
    fail "of 56 keys typed, the other window saved $(cat "$saved" 2>&1)"
}

# Start-up minimized; the arguments, joined, win over the INI file's name and are not
# saved; quellard raises the flag and the
# window pops up above the window being typed into; Delete Flag from the keyboard fails
# with the error box while the file is gone, then removes it and waits again.
signal() {
  local flag="$work/my job.flg" ini=$XDG_CONFIG_HOME/korvane/korvane.ini
  printf '[Command]\nCommandLine=%s\n' "$work/other.flg" >"$ini"
  touch "$work/other.flg"
  local started=$SECONDS
  launch "$work/my" job.flg
  await $patience is_state Iconic || fail "start-up: not minimized"
  typing_window
  "$quellard" "$flag" || fail "quellard could not raise the flag"
  await $((10 + patience)) is_state Normal && alive $typist || fail "the keys were typed too early to test the pop-up"
  signalled $started attention
  [ "$wm" != kwinwl ] || await $patience tasks_show ".*@$pid!.*@$typing" ||
    fail "Plasma's task button moved or asks for no attention: $(tail -1 "$work/tasks.log")"
  typed_all
  ! native_typist || [ "$(grep -c GDK_BACKEND=x11 "$work/typist.err")" = 1 ] ||
    fail "a native Wayland korvane did not say once what it cannot do: $(cat "$work/typist.err")"
  local first=$pid
  kill -TERM $typing
  pid=$typing && ends_in 2 "SIGTERM" && pid=$first
  rm "$flag"
  activate && menu d
  await $patience shown '^Program Error$' || fail "no error box"
  desktop_keys 100 Return
  await $patience is_state Normal && "$quellard" "$flag" || fail "a failed Delete Flag ended the signal"
  menu d
  await $patience test ! -e "$flag" || fail "Delete Flag left the flag file"
  await $patience is_state Iconic || fail "after Delete Flag the window does not wait again"
  is_urgent && fail "the waiting window still asks for attention"
  [ "$(cat "$ini")" = "$(printf '[Command]\nCommandLine=%s' "$work/other.flg")" ] ||
    fail "the INI file changed: $(cat "$ini")"
  finish
}

# With no backend named and no other window in use, it takes the focus, but on XWayland,
# which cannot tell, asks for none ($alone). GNOME's title bar has no minimize: there the
# close button sends it back to waiting, and the flag brings it back at the next poll.
# Minimized by the user, it waits with no mark of attention left. SIGHUP ends it too.
popup() {
  local flag=$work/job.flg started=$SECONDS dialog
  unset GDK_BACKEND
  launch "$flag"
  await $patience is_state Iconic || fail "start-up: not minimized"
  if [ "$wm" = kwinwl ]; then
    # Set Flag asks for no minimize and no maximize (Motif functions: move alone), but kwin
    # offers them to a dialog all the same; the user minimizes it, and korvane with it.
    activate && menu s && await $patience shown '^Set  Flag  File$' && dialog=$(xdotool getactivewindow) &&
      xprop -id "$dialog" _MOTIF_WM_HINTS | grep -q '= 0x1, 0x4,' && xdotool windowminimize "$dialog" &&
      await $patience is_state Iconic || fail "Set Flag offers a minimize, or was not minimized"
  fi
  "$quellard" "$flag" || fail "quellard could not raise the flag"
  signalled $started $alone
  if [ "$wm" = kwinwl ]; then
    xprop -id "$dialog" WM_STATE | grep -q Normal && xdotool windowactivate "$dialog" &&
      desktop_keys 100 Escape && menu a && await $patience shown '^About' &&
      desktop_keys 100 Return || fail "after a pop-up under Set Flag, the File menu is dead"
  fi
  if [ "$wm" = gnome ]; then
    shell_eval "$(shell_window).delete(global.get_current_time())" >/dev/null
    await $patience is_state Iconic && alive $pid || fail "the close button did not send it back to waiting"
    await $((10 + patience)) is_state Normal && await $patience is_urgent ||
      fail "closed with the flag up, it was not back at the next poll"
  fi
  user_minimize && await $patience quiet || fail "minimized by the user, it still asks for attention"
  finish HUP
}

# A native Wayland korvane, whose window cannot come up by itself, under GNOME Shell: within
# one poll a desktop notification says the flag is on, its name shown as itself, while the
# keys typed into an XWayland korvane stay there; a click on its banner brings the window up
# with the focus; Delete Flag withdraws it.
native() {
  local flag="$work/a<b&c.flg" started=$SECONDS window note
  note="Main.messageTray.getSources().flatMap(s => s.notifications).find(n => n.title == 'Flag is On...')"
  GDK_BACKEND=wayland NO_AT_BRIDGE=1 "$korvane" "$flag" </dev/null 2>"$work/korvane.err" &
  pid=$! wid= && launched+=($pid) && window=$(shell_window)
  await $patience shell_says true "$window.minimized" || fail "start-up: not minimized"
  typist_x=1 typing_window
  "$quellard" "$flag" || fail "quellard could not raise the flag"
  await $((10 + patience)) shell_says "$flag" "imports.gi.Pango.parse_markup($note.bannerBodyText, -1, '')[2]" ||
    fail "no notification that says the flag is on, with its name, within one poll"
  [ $((SECONDS - started)) -ge 9 ] || fail "notified $((SECONDS - started)) s after start: no 10 s poll"
  typed_all
  # The typist is korvane too, the window that the desktop would bring up first.
  kill -TERM $typing && await $patience fails alive $typing
  await $patience shell_says true "Main.messageTray._banner.notification.title == 'Flag is On...'" &&
    shell_click "Main.messageTray._banner" &&
    await $patience shell_says true "$window.has_focus()" || fail "a click on the notification did not bring the window up"
  desktop_keys 100 alt+f && await $patience compositor_menu_shown && desktop_keys 100 d
  await $patience test ! -e "$flag" || fail "Delete Flag left the flag"
  # The click took the notification away; at the next pop-up it is there when the window is
  # brought up as from the overview, and Delete Flag takes it away.
  "$quellard" "$flag" && await $((10 + patience)) shell_says true "$note !== undefined" &&
    shell_eval "Main.activateWindow($window)" >/dev/null && await $patience shell_says true "$window.has_focus()" &&
    desktop_keys 100 alt+f && await $patience compositor_menu_shown && desktop_keys 100 d
  await $patience test ! -e "$flag" && await $patience shell_says undefined "$note" ||
    fail "Delete Flag left the flag or its notification"
  finish
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
  # The share answers early in a poll's 10 s, so that the next tick is seconds away even on
  # a busy machine: the ticks keep the phase of the first probe, which the probe file's time
  # is.
  local phase=$(((${EPOCHREALTIME/[.,]/} - $(stat -c %.6Y "$late.probes" | tr -d .,)) % 10000000))
  ((phase >= 500000 && phase <= 3000000)) ||
    sleep "$(awk -v p=$phase 'BEGIN { print ((p < 500000 ? 500000 : 10500000) - p) / 1e6 }')"
  rm "$late.dead"
  probed_once() { one_probe && is_state Iconic; }
  holds 2 probed_once || fail "once the share answered, a probe queued while it hung ran at once"
  await $((10 + patience)) is_state Normal || fail "once the share answered, the next poll did not find the flag"
  finish
}
