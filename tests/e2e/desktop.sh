#!/usr/bin/env bash
# The desktop fixture of the GTK scenarios, the main job and the benchmarks: a display of
# its own with a window manager, Xvfb with openbox, mutter or kwin, or mutter or kwin
# headless on Wayland with XWayland (wayland, kwinwl), each compositor in a D-Bus session of
# its own. Sourced, it gives desktop_start, desktop_stop, desktop_use, desktop_window and
# desktop_keys; run, it starts or stops one for ctest:
#   desktop.sh start <state dir> [openbox|mutter|kwin|wayland|kwinwl]  |  desktop.sh stop <state dir>
. "$(dirname "${BASH_SOURCE[0]}")/display.sh"

die() { echo "desktop.sh: $*" >&2; exit 1; }

# Each piece in a process group of its own, so its helpers (XWayland, the bus) go too.
desktop_stop() {  # state dir
  for p in wm xvfb; do
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

start_xvfb() {
  start_xvfb_display "$fixture" || die "no display: $(cat "$fixture/xvfb.log")"
  export DISPLAY=:$(cat "$fixture/display")
  case $1 in
    openbox) setsid openbox --sm-disable </dev/null >"$fixture/wm.log" 2>&1 9>&- & ;;
    mutter) setsid mutter --x11 --replace --sm-disable </dev/null >"$fixture/wm.log" 2>&1 9>&- & ;;
    kwin) XDG_CONFIG_HOME=$fixture/config XDG_CACHE_HOME=$fixture/cache setsid dbus-run-session -- \
      kwin_x11 --replace </dev/null >"$fixture/wm.log" 2>&1 9>&- & ;;
  esac
  echo $! >"$fixture/wm.pid"
}

# mutter picks its X display itself and names it in its log; it writes XWayland's key
# into the runtime folder.
start_wayland() {
  local runtime=$fixture/runtime
  rm -rf "$runtime" && mkdir -m 700 "$runtime"
  XDG_RUNTIME_DIR=$runtime setsid dbus-run-session -- mutter --wayland --headless \
    --virtual-monitor 1024x768 --wayland-display korvane-test </dev/null >"$fixture/wm.log" 2>&1 9>&- &
  echo $! >"$fixture/wm.pid"
  await $patience grep -q 'Using public X11 display' "$fixture/wm.log" ||
    die "no XWayland: $(cat "$fixture/wm.log")"
  sed -n 's/.*Using public X11 display :\([0-9]*\).*/\1/p' "$fixture/wm.log" >"$fixture/display"
  printf 'export XDG_RUNTIME_DIR=%q WAYLAND_DISPLAY=korvane-test XAUTHORITY=%q\n' "$runtime" \
    "$(ls "$runtime"/.mutter-Xwaylandauth.*)" >"$fixture/env"
  desktop_use "$fixture"
}

# kwin tells its X display only to the session it starts, here a script that writes it
# down. Debian's kwin_wayland carries a file capability that a container refuses to run;
# a copy carries none.
start_kwinwl() {
  local runtime=$fixture/runtime
  rm -rf "$runtime" && mkdir -m 700 "$runtime" && cp "$(command -v kwin_wayland)" "$fixture/"
  cat >"$fixture/session" <<'EOF'
#!/bin/sh
echo "export WAYLAND_DISPLAY=$WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS" >"$XDG_RUNTIME_DIR/env"
echo "${DISPLAY#:}" >"$XDG_RUNTIME_DIR/display"
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
}

# Starts the desktop (openbox by default) and uses it.
desktop_start() {  # state dir, desktop
  local wm=${2:-openbox} need tool
  fixture=$1
  case $wm in
    wayland) need="dbus-run-session mutter Xwayland" ;;
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
# but under kwin on Wayland, whose native windows take no X11 keys, kwin's fake input
# through $fake_keys, by Linux key code.
desktop_keys() {  # milliseconds a key, keys by X11 name (alt+f, s, x, Tab, space)
  local delay=$1 key codes=()
  local -A code=([alt+f]="+56 33" [s]=31 [x]=45 [Tab]=15 [space]=57)
  shift
  [ "$(cat "$fixture/desktop")" = kwinwl ] || { xdotool key --delay "$delay" "$@"; return; }
  for key; do codes+=(${code[$key]:?no key code for $key}); done
  "$fake_keys" "$delay" "${codes[@]}"
}

[ "${BASH_SOURCE[0]}" != "$0" ] || case ${1:-} in
  start | stop) "desktop_$1" "${@:2}" ;;
  *) die "unknown action ${1:-}" ;;
esac
