#!/usr/bin/env bash
# Starts the window again and again under a real window manager (openbox on
# Xvfb at 96 dpi) and fails on any start whose outer frame, the manager's
# decorations included, is not 513 x 388 pixels or not centred on the
# screen. The frame comes from the window manager a moment after the window
# is mapped, so a fault here shows on some starts only.
# Usage: tests/ui/frame_check.sh BUILD_DIR [STARTS]   (30 starts by default)
set -euo pipefail
build=$(cd "${1:?usage: tests/ui/frame_check.sh BUILD_DIR [STARTS]}" && pwd)
starts=${2:-30}
program=$build/app/vcurve
[ -x "$program" ] || { echo "frame check: $program is not built" >&2; exit 1; }
for tool in Xvfb openbox xdotool xwininfo xprop xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "frame check: $tool is missing" >&2; exit 1; }
done

screen_width=1280 screen_height=1024
outer_width=513 outer_height=388

work=$(mktemp -d)
x_server="" x_manager="" app=""
cleanup() {
  for pid in $app $x_manager $x_server; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

. "$(dirname "$0")/../support/x_session.sh"
start_x_session "${screen_width}x${screen_height}" 300 "$work" || exit 1
export QT_QPA_PLATFORM=xcb

# "x y width height" of the outer frame: the client window grown by the
# _NET_FRAME_EXTENTS (left, right, top, bottom) the manager publishes.
frame_of() {
  local window=$1 x y w h extents l r t b
  read -r x y w h < <(xwininfo -id "$window" | awk '
    /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print x, y, w, h }')
  extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ',')
  read -r l r t b <<<"${extents:-0 0 0 0}"
  echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

failures=0
for ((start = 1; start <= starts; start++)); do
  "$program" >"$work/output" 2>&1 &
  app=$!
  window=""
  for ((i = 0; i < 100; i++)); do
    window=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -n 1 || true)
    [ -z "$window" ] || break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "frame check: start $start: no window within 10 s" >&2
    cat "$work/output" >&2
    failures=$((failures + 1))
  else
    # Settled once the frame has stayed the same for half a second.
    frame=$(frame_of "$window") stable=0
    for ((i = 0; i < 50 && stable < 5; i++)); do
      sleep 0.1
      now=$(frame_of "$window")
      if [ "$now" = "$frame" ]; then stable=$((stable + 1)); else frame=$now stable=0; fi
    done
    read -r fx fy fw fh <<<"$frame"
    # Centred to the pixel: an odd leftover may fall on either side.
    dx=$((2 * fx + fw - screen_width)) dy=$((2 * fy + fh - screen_height))
    if [ "$fw" -ne "$outer_width" ] || [ "$fh" -ne "$outer_height" ] ||
      [ "${dx#-}" -gt 2 ] || [ "${dy#-}" -gt 2 ]; then
      echo "frame check: start $start: frame ${fw}x${fh} at $fx,$fy;" \
        "want ${outer_width}x${outer_height} centred on ${screen_width}x${screen_height}" >&2
      failures=$((failures + 1))
    fi
  fi
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  app=""
done

echo "frame check: $((starts - failures))/$starts starts gave a ${outer_width}x${outer_height} frame, centred"
[ "$failures" -eq 0 ]
