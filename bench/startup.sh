#!/usr/bin/env bash
# Start-up of the real window against a bare Qt6 window built in the same
# tree: the time from starting the program to its window being mapped, and
# the peak memory (/usr/bin/time -v). Goal: within 1.2x of the bare window
# on both. Runs itself under xvfb-run when there is no display.
# Usage: bench/startup.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: bench/startup.sh BUILD_DIR}" && pwd)

if [ -z "${VCURVE_BENCH_DISPLAY:-}" ]; then
  export VCURVE_BENCH_DISPLAY=1
  # A display of its own: xvfb-run -a starts at :99, and two runs starting at
  # once (a test run beside this one) can end up sharing one server, which
  # then goes away under the other. Without -noreset the server resets each
  # time its last client leaves, and a program starting just then cannot connect.
  display=$((200 + RANDOM % 500))
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
    display=$((display + 1))
  done
  exec xvfb-run -n "$display" -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb

bare=$build/bench/bare_window
real=$build/app/vcurve
runs=${STARTUP_RUNS:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now_us() { echo "${EPOCHREALTIME/./}"; }

# One start of a command line (word-split): prints "<microseconds to mapped> <peak KiB>".
measure_once() {
  local program=$1 start timer pid="" mapped
  start=$(now_us)
  # shellcheck disable=SC2086
  /usr/bin/time -v -o "$work/time" $program >"$work/output" 2>&1 &
  timer=$!
  while [ -z "$pid" ]; do pid=$(pgrep -P "$timer" || true); done
  # Polled, not --sync: xdotool's own wait sleeps half a second between looks.
  until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "startup: $program ended before its window showed:" >&2
      cat "$work/output" "$work/time" >&2
      return 1
    fi
    sleep 0.002
  done
  mapped=$(now_us)
  # Let it settle into its first paint before the peak is read.
  sleep 1
  kill -TERM "$pid"
  wait "$timer" || true
  echo "$((mapped - start)) $(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time")"
}

median() {  # of one column of the runs
  sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

summary() {  # runs file: "<milliseconds> <MiB>" of the medians
  awk -v us="$(cut -d' ' -f1 "$1" | median)" -v kb="$(cut -d' ' -f2 "$1" | median)" \
    'BEGIN { printf "%.1f %.1f\n", us / 1000, kb / 1024 }'
}

[ -x "$bare" ] || { echo "startup: $bare is not built (needs Qt 6 Widgets)" >&2; exit 1; }
programs=("$bare" "$bare --controls")
names=("bare Qt window" "same controls, no code")
if [ -x "$real" ]; then
  programs+=("$real")
  names+=("vcurve window")
else
  echo "startup: skipped the real window: $real is not built yet"
fi

# Turn about, the order reversed every round, so that a change in the
# machine's load and whatever the previous start left behind fall on all alike.
for program in "${programs[@]}"; do measure_once "$program" >/dev/null; done  # warm caches
order=("${!programs[@]}")
for ((i = 0; i < runs; i++)); do
  for p in "${order[@]}"; do measure_once "${programs[$p]}" >>"$work/runs.$p"; done
  order=($(printf '%s\n' "${order[@]}" | tac))
done

ms=() mib=()
for p in "${!programs[@]}"; do
  read -r ms[p] mib[p] < <(summary "$work/runs.$p")
  printf 'startup: %-24s %7.1f ms to mapped, %6.1f MiB peak (median of %d)\n' \
    "${names[p]}" "${ms[p]}" "${mib[p]}" "$runs"
done
[ ${#programs[@]} -eq 3 ] || exit 0
ratio() {  # against baseline $1: the goal is within 1.2x of the bare window
  awk -v rt="${ms[2]}" -v bt="${ms[$1]}" -v rm="${mib[2]}" -v bm="${mib[$1]}" -v what="$2" 'BEGIN {
    printf "startup: vcurve against %s: time %.2fx, memory %.2fx", what, rt / bt, rm / bm
    if (what == "the bare window") printf " (goal <= 1.2x: %s)", (rt / bt <= 1.2 && rm / bm <= 1.2 ? "met" : "MISSED")
    printf "\n"
  }'
}
ratio 0 "the bare window"
ratio 1 "the same controls"
