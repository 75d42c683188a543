# Starts an Xvfb display for the Wine runs; sourced by the scripts that need one.
#   start_xvfb <dir>
# starts a 1024x768 Xvfb detached from the caller's output (or ctest would wait for it to
# close), writes its display number to <dir>/display and its process to <dir>/xvfb.pid,
# and fails with a message if it does not come up.
start_xvfb() {
  local dir=$1
  command -v Xvfb >/dev/null || { echo "Xvfb is not installed (run scripts/setup.sh)" >&2; return 1; }
  rm -f "$dir/display"
  setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" \
    </dev/null >"$dir/xvfb.log" 2>&1 &
  echo $! >"$dir/xvfb.pid"
  for _ in $(seq 100); do
    [ -s "$dir/display" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start: $(cat "$dir/xvfb.log")" >&2
  return 1
}
