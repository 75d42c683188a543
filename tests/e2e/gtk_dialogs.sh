# The GTK scenarios of the dialogs and options, sourced by gtk.sh: complaint, login and access.

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
  signalled $started $alone
  finish
  "$korvane" --no-start-at-login && [ ! -e "$entry" ] || fail "the login entry was not removed"
  mkdir -p "$work/all/autostart" && cp /dev/null "$work/all/autostart/korvane.desktop"
  XDG_CONFIG_DIRS=$work/all "$korvane" --no-start-at-login && grep -qx Hidden=true "$entry" &&
    desktop-file-validate "$entry" || fail "an entry for all users was not hidden"
}

# What a screen reader learns over AT-SPI, in a D-Bus session with the accessibility bus:
# the status lines as a notification's name, announced (showing) when a line appears, with
# the focus or while another window is in use, and empty while waiting; the Set Flag field
# labelled by its prompt. A high-contrast theme's colours; larger text widens the window.
access() {
  local atspi=$(dirname "$0")/atspi.py flag=$work/job.flg big
  "$atspi" watch >"$work/spoken" 2>&1 &
  launched+=($!)
  await $patience grep -q listening "$work/spoken" || fail "no screen reader's view"
  with="GTK_THEME=HighContrastInverse XDG_CONFIG_HOME=$work/contrast" launch
  holds 2 fails painted || fail "a high-contrast theme left the panel grey"
  with="GDK_DPI_SCALE=2 XDG_CONFIG_HOME=$work/big" launch && big=$wid
  [ "$(xwininfo -id "$wid" | sed -n 's/.*Width: //p')" -gt 300 ] || fail "larger text did not widen the window"
  # Told at the map, which a busy machine may bring before the bridge is heard, and again
  # when the window first becomes active, which the window manager may leave to the user.
  with=NO_AT_BRIDGE=0 launch && activate
  await $patience grep -qx "showing No Command Line Received" "$work/spoken" || fail "the complaint was not told"
  menu s && await $patience shown '^Set  Flag  File$' &&
    "$atspi" query $pid | grep -qx "labelled Enter The Flag File Name" || fail "the field is not named by its prompt"
  xdotool type "$flag" && desktop_keys 100 Tab space && await $patience is_state Iconic || fail "no name set"
  for in_use in 0 1; do
    "$quellard" "$flag" && await $((10 + patience)) grep -qx "showing Flag is On..." "$work/spoken" ||
      fail "the pop-up was not told (another window in use: $in_use)"
    activate && menu d && await $patience is_state Iconic && "$atspi" query $pid | grep -qx "notification ''" ||
      fail "waiting, the status is not empty"
    local own=$wid && wid=$big && activate && desktop_keys 100 x && wid=$own && : >"$work/spoken"
  done
}