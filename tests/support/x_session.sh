# Sourced by the scripts that need a real window system: Xvfb on a display of
# their own (other runs, tests and benchmarks, may use the usual ones) at
# 96 dpi, with openbox as the window manager.

# Polls a command until it succeeds, for up to $1 tenths of a second.
wait_for() {
  local tenths=$1
  shift
  for ((i = 0; i < tenths; i++)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# Usage: start_x_session WIDTHxHEIGHT FIRST_DISPLAY LOG_FOLDER; sets DISPLAY,
# and x_server and x_manager to the two processes, for the caller to end.
start_x_session() {
  local size=$1 display=$(($2 + RANDOM % 300)) logs=$3
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
    display=$((display + 1))
  done
  export DISPLAY=:$display
  unset WAYLAND_DISPLAY
  Xvfb "$DISPLAY" -screen 0 "${size}x24" -dpi 96 -nolisten tcp -noreset >"$logs/xvfb.log" 2>&1 &
  x_server=$!
  wait_for 100 xdpyinfo || { echo "Xvfb did not start" >&2; cat "$logs/xvfb.log" >&2; return 1; }
  openbox >"$logs/openbox.log" 2>&1 &
  x_manager=$!
  wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    { echo "openbox did not start" >&2; cat "$logs/openbox.log" >&2; return 1; }
}
