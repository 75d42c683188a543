#!/usr/bin/env bash
# The desktops that the main job, the benchmarks and the GTK scenarios share: a display of
# its own with a window manager, Xvfb with openbox, mutter or kwin, or headless on Wayland
# with XWayland mutter (wayland), kwin (kwinwl) or GNOME Shell (gnome), each compositor in a
# D-Bus session of its own. Sourced, it gives desktop_start, desktop_stop, desktop_use,
# desktop_window and desktop_keys; run, it starts or stops one for ctest:
#   desktop.sh start <state dir> [openbox|mutter|kwin|wayland|kwinwl|gnome <korvane>]
#   desktop.sh stop <state dir>
. "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/display.sh"

die() { echo "desktop.sh: $*" >&2; exit 1; }

# Each piece in a process group of its own, so its helpers (XWayland, the bus) go too.
desktop_stop() {  # state dir
  for p in wm xvfb xsettings; do
    [ -f "$1/$p.pid" ] && { kill -- -"$(cat "$1/$p.pid")" || kill "$(cat "$1/$p.pid")"; } 2>/dev/null
  done
  rm -f "$1"/*.pid "$1/display" "$1/env"
}

# The display of a started fixture, and for Wayland the compositor's socket and XWayland's
# key; $fixture is its state dir from now on.
desktop_use() {  # state dir
  fixture=$1
  [ -s "$fixture/display" ] || die "no display: the fixture did not start"
  export DISPLAY=:$(cat "$fixture/display")
  [ -f "$fixture/env" ] && . "$fixture/env"
  return 0
}

has_wm() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
takes_clients() { xprop -root >/dev/null; }

# An Xvfb that said its number but takes no client (on a busy machine another server's
# XWayland took the number from under it) is started again, on another.
start_xvfb() {
  local try
  for try in 1 2 3; do
    start_xvfb_display "$fixture" && export DISPLAY=:$(cat "$fixture/display") &&
      await $patience takes_clients && break
    kill "$(cat "$fixture/xvfb.pid")" 2>/dev/null
    [ $try = 3 ] && die "no display: $(cat "$fixture/xvfb.log")"
  done
  case $1 in
    openbox) setsid openbox --sm-disable </dev/null >"$fixture/wm.log" 2>&1 9>&- & ;;
    mutter) setsid mutter --x11 --replace --sm-disable </dev/null >"$fixture/wm.log" 2>&1 9>&- & ;;
    kwin) XDG_CONFIG_HOME=$fixture/config XDG_CACHE_HOME=$fixture/cache setsid dbus-run-session -- \
      kwin_x11 --replace </dev/null >"$fixture/wm.log" 2>&1 9>&- & ;;
  esac
  echo $! >"$fixture/wm.pid"
}

# mutter, bare or as GNOME Shell, run as the command given, picks its X display itself and
# names it in its log; it writes XWayland's key into the runtime folder.
start_mutter() {
  local runtime=$fixture/runtime
  rm -rf "$runtime" && mkdir -m 700 "$runtime"
  XDG_RUNTIME_DIR=$runtime setsid dbus-run-session -- "$@" </dev/null >"$fixture/wm.log" 2>&1 9>&- &
  echo $! >"$fixture/wm.pid"
  await $((3 * patience)) grep -q 'Using public X11 display' "$fixture/wm.log" ||
    die "no XWayland: $(cat "$fixture/wm.log")"
  sed -n 's/.*Using public X11 display :\([0-9]*\).*/\1/p' "$fixture/wm.log" >"$fixture/display"
  printf 'export XDG_RUNTIME_DIR=%q WAYLAND_DISPLAY=korvane-test XAUTHORITY=%q\n' "$runtime" \
    "$(ls "$runtime"/.mutter-Xwaylandauth.*)" >"$fixture/env"
  desktop_use "$fixture"
}
start_wayland() { start_mutter mutter --wayland --headless --virtual-monitor 1024x768 --wayland-display korvane-test; }

# kwin tells its X display only to the session it starts, here a script that writes it
# down and starts Plasma's shell, with the panel and its task manager. Debian's kwin_wayland
# carries a file capability that a container refuses to run; a copy carries none.
start_kwinwl() {
  local runtime=$fixture/runtime
  rm -rf "$runtime" && mkdir -m 700 "$runtime" && cp "$(command -v kwin_wayland)" "$fixture/"
  cat >"$fixture/session" <<'EOF'
#!/bin/sh
echo "export WAYLAND_DISPLAY=$WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS" >"$XDG_RUNTIME_DIR/env"
echo "${DISPLAY#:}" >"$XDG_RUNTIME_DIR/display"
QT_QPA_PLATFORM=wayland /usr/lib/*/libexec/kactivitymanagerd &
QT_QPA_PLATFORM=wayland plasmashell --no-respawn &
exec sleep infinity
EOF
  chmod +x "$fixture/session"
  XDG_RUNTIME_DIR=$runtime XDG_CONFIG_HOME=$fixture/config XDG_CACHE_HOME=$fixture/cache \
    KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 setsid dbus-run-session -- "$fixture/kwin_wayland" --virtual \
    --xwayland --socket korvane-test --exit-with-session="$fixture/session" </dev/null \
    >"$fixture/wm.log" 2>&1 9>&- &
  echo $! >"$fixture/wm.pid"
  await $patience test -s "$runtime/display" || die "no XWayland: $(cat "$fixture/wm.log")"
  cp "$runtime/display" "$fixture/display" && cp "$runtime/env" "$fixture/env"
  printf 'export XDG_RUNTIME_DIR=%q\n' "$runtime" >>"$fixture/env"
  desktop_use "$fixture"
  await $((3 * patience)) gdbus call --session --dest org.kde.plasmashell --object-path /PlasmaShell \
    --method org.freedesktop.DBus.Peer.Ping || die "no plasmashell: $(cat "$fixture/wm.log")"
}

# GNOME Shell itself, and GNOME's settings for X11 programs (gsd-xsettings: the title
# bar's buttons among them). --unsafe-mode opens org.gnome.Shell.Eval, through which the
# scenarios read the shell's windows and notifications and type with its own keyboard. The
# shell asks logind on the system bus at start: a private, empty one stands in. korvane
# ($1) and its desktop entry are installed for the shell, so that it knows the window's
# application (GLib skips an entry whose program is not on the PATH).
start_gnome() {
  mkdir -p "$fixture/share/applications" "$fixture/bin"
  cp "$(dirname "${BASH_SOURCE[0]}")/../watcher/gtk/korvane.desktop" "$fixture/share/applications/"
  ln -sf "${1:?the korvane to install}" "$fixture/bin/korvane"
  printf '<busconfig><type>system</type><listen>unix:path=%s</listen><auth>EXTERNAL</auth>
    <policy context="default"><allow send_destination="*"/><allow receive_sender="*"/><allow own="*"/>
    </policy></busconfig>\n' "$fixture/system" >"$fixture/system.conf"
  printf '#!/bin/sh\ndbus-daemon --nofork --config-file=%s &\necho "export DBUS_SESSION_BUS_ADDRESS=$%s" >%s
    exec gnome-shell --headless --wayland --virtual-monitor 1024x768 --wayland-display korvane-test --unsafe-mode\n' \
    "$fixture/system.conf" DBUS_SESSION_BUS_ADDRESS "$fixture/bus" >"$fixture/session" && chmod +x "$fixture/session"
  start_mutter env DBUS_SYSTEM_BUS_ADDRESS=unix:path="$fixture/system" GSETTINGS_BACKEND=memory \
    XDG_CONFIG_HOME="$fixture/config" XDG_CACHE_HOME="$fixture/cache" PATH="$fixture/bin:$PATH" \
    XDG_DATA_DIRS="$fixture/share:/usr/share" "$fixture/session"
  # The settings daemon starting beside the shell's own start can hold both up.
  await $((3 * patience)) grep -q 'GNOME Shell started' "$fixture/wm.log" || die "no GNOME Shell: $(cat "$fixture/wm.log")"
  cat "$fixture/bus" >>"$fixture/env" && echo 'export GSETTINGS_BACKEND=memory' >>"$fixture/env" && desktop_use "$fixture"
  setsid /usr/libexec/gsd-xsettings </dev/null >"$fixture/xsettings.log" 2>&1 9>&- &
  echo $! >"$fixture/xsettings.pid"
  # The shell starts in the overview, as at login; the scenarios work on the desktop.
  await $patience shell_says false "(Main.overview.hide(), Main.overview.visible)" ||
    die "GNOME Shell's overview stays: $(cat "$fixture/wm.log")"
}

# Starts the desktop (openbox by default) and uses it.
desktop_start() {  # state dir, desktop, korvane (for GNOME Shell's applications)
  local wm=${2:-openbox} need tool
  fixture=$1
  case $wm in
    wayland) need="dbus-run-session mutter Xwayland" ;;
    gnome) need="dbus-run-session gnome-shell Xwayland gdbus /usr/libexec/gsd-xsettings" ;;
    kwin | kwinwl) need="dbus-run-session kwin_x11 kwin_wayland Xwayland gdbus" ;;
    *) need="Xvfb $wm" ;;
  esac
  for tool in $need Xvfb xdotool xprop xwininfo import; do
    command -v $tool >/dev/null || die "no $tool: run scripts/setup.sh"; done
  # The last start's logs go: this one reads its own, not what that one wrote.
  mkdir -p "$fixture" && desktop_stop "$fixture" && rm -f "$fixture"/*.log && echo "$wm" >"$fixture/desktop"
  lock_displays  # mutter and kwin on Wayland pick a number for XWayland too
  case $wm in
    wayland | kwinwl) start_$wm ;;
    gnome) start_gnome "${3:-}" ;;
    *) start_xvfb "$wm" ;;
  esac
  unlock_displays
  await $patience has_wm || die "no window manager: $(cat "$fixture/wm.log")"
  echo "$wm on $DISPLAY"
}

# The window of korvane $1 once the window manager shows it in state $2, within $3 seconds.
desktop_window() {  # pid, Iconic or Normal, seconds
  pid=$1
  await "$3" find_window "$2" && echo "$wid"
}

# Keys as a user types them into the window that has the keyboard: xdotool on X11 displays,
# but under kwin on Wayland and GNOME Shell, whose native windows take no X11 keys, kwin's
# fake input through $fake_keys, or the shell's own keyboard, by Linux key code.
desktop_keys() {  # milliseconds a key, keys by X11 name (alt+f, a, d, s, x, Tab, space, ...)
  local delay=$1 key codes=()
  local -A code=([alt+f]="+56 33" [a]=30 [d]=32 [s]=31 [x]=45 [Tab]=15 [space]=57 [Return]=28
    [Escape]=1)
  shift
  case $(cat "$fixture/desktop") in
    kwinwl | gnome) for key; do codes+=(${code[$key]:?no key code for $key}); done ;;
    *) xdotool key --delay "$delay" "$@"; return ;;
  esac
  [ "$(cat "$fixture/desktop")" = kwinwl ] && { "$fake_keys" "$delay" "${codes[@]}"; return; }
  local held=() c
  for c in "${codes[@]}"; do
    shell_key "${c#+}" 1
    [ "${c:0:1}" = + ] && held+=("${c#+}") || shell_key "$c" 0
    sleep "$(awk "BEGIN { print $delay / 1000 }")"
  done
  for c in "${held[@]}"; do shell_key "$c" 0; done
}

# A key pressed (1) or released (0), by Linux key code, on GNOME Shell's own virtual
# keyboard (Clutter's), made once.
shell_key() {
  shell_eval "const C = imports.gi.Clutter; global.kvgKeys = global.kvgKeys ||
    C.get_default_backend().get_default_seat().create_virtual_device(C.InputDeviceType.KEYBOARD_DEVICE);
    global.kvgKeys.notify_key(GLib.get_monotonic_time(), $1, $2 ? C.KeyState.PRESSED : C.KeyState.RELEASED)" >/dev/null
}

[ "${BASH_SOURCE[0]}" != "$0" ] || case ${1:-} in
  start | stop) "desktop_$1" "${@:2}" ;;
  *) die "unknown action ${1:-}" ;;
esac
