# What the GTK scenarios, the main job and the benchmarks see of korvane on a desktop,
# sourced by them and by the fixtures: the one wait, "until true or the deadline", and the
# probes of korvane's window ($pid's, $wid) that it waits on.

# How long a step may take on a busy machine: a deadline, never a pause.
patience=10
# How often await looks again, in seconds; a benchmark timing what it waits for looks more often.
await_every=0.2

await() {  # seconds, command: true once the command succeeds within that time
  local end=$((${EPOCHREALTIME/[.,]/} + $1 * 1000000))
  shift
  until "$@" 2>/dev/null; do
    [ "${EPOCHREALTIME/[.,]/}" -ge "$end" ] && return 1
    sleep "$await_every"
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
shown_active() { is_state Normal && is_active; }
quiet() { is_state Iconic && ! is_urgent && ! xprop -id "$wid" _NET_WM_STATE | grep -q DEMANDS_ATTENTION; }

# One of korvane's pop-up menus is on the screen, and so has the keyboard.
menu_shown() {
  local w
  for w in $(xdotool search --onlyvisible --pid $pid); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_POPUP_MENU && return 0
  done
  return 1
}

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

# Whether a kwin script's expression has this value: it sees native Wayland windows, which
# xdotool does not, and says so in the log of the fixture's kwin. Each script has a tag.
probes=0
kwin_says() {  # value (the start of it), JavaScript expression
  local call="gdbus call --session --dest org.kde.KWin --object-path /Scripting --method org.kde.kwin.Scripting"
  local tag=probe$((++probes))
  echo "print('$tag ' + ($2));" >"$work/$tag.js"
  $call.loadScript "$work/$tag.js" $tag >/dev/null && $call.start >/dev/null &&
    await $patience grep -q "^js: $tag" "$fixture/wm.log"
  $call.unloadScript $tag >/dev/null
  grep -q "^js: $tag $1" "$fixture/wm.log"
}
# GNOME Shell's JavaScript, through org.gnome.Shell.Eval; shell_says: whether an
# expression's value (as text) starts so.
shell_eval() {
  gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell --method org.gnome.Shell.Eval "$1"
}
shell_says() { shell_eval "String($2)" | grep -q "^(true, '\"$1"; }
# The compositor's active window's caption (kwin squeezes blanks), and its menus: kwin's
# or GNOME Shell's.
active_is() {
  [ "$wm" = gnome ] || { kwin_says "$1" "workspace.activeClient ? workspace.activeClient.caption : ''"; return; }
  shell_says "$1" "global.display.focus_window ? global.display.focus_window.title : ''"
}
compositor_menu_shown() {
  [ "$wm" = gnome ] || { kwin_says true "workspace.clientList().some(c => c.popupWindow)"; return; }
  shell_says true "global.get_window_actors().some(a => a.meta_window.window_type >= imports.gi.Meta.WindowType.DROPDOWN_MENU && a.meta_window.window_type <= imports.gi.Meta.WindowType.TOOLTIP)"
}
# korvane's window as GNOME Shell has it, and the shell's banner of a window that asks for
# attention ("“Flag Notification” is ready").
shell_window() { echo "global.get_window_actors().map(a => a.meta_window).find(w => w.get_pid() == $pid)"; }
shell_banner() {
  shell_says true "Main.messageTray.getSources().some(s => s.notifications.some(n => n.bannerBodyText.includes('Flag Notification')))"
}
# A click in the middle of a shell actor, with GNOME Shell's own virtual pointer.
shell_click() {
  shell_eval "const C = imports.gi.Clutter, a = $1; global.kvgPointer = global.kvgPointer ||
    C.get_default_backend().get_default_seat().create_virtual_device(C.InputDeviceType.POINTER_DEVICE);
    const [x, y] = a.get_transformed_position(), [w, h] = a.get_transformed_size(), t = GLib.get_monotonic_time();
    global.kvgPointer.notify_absolute_motion(t, x + w / 2, y + h / 2);
    global.kvgPointer.notify_button(t + 10, C.BUTTON_PRIMARY, C.ButtonState.PRESSED);
    global.kvgPointer.notify_button(t + 20, C.BUTTON_PRIMARY, C.ButtonState.RELEASED)" | grep -q '^(true'
}
# Plasma's task buttons, in order, as tasks.qml last printed them (title@pid, ! for attention).
tasks_show() { grep '^qml: tasks:' "$work/tasks.log" | tail -1 | grep -q "^qml: tasks: $1"; }
