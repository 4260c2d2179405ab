#!/usr/bin/env bash
# Start-up of the empty profile window (vcurve-profile) against the
# calculator (vcurve), both built in the same tree and started in turn: the
# time from starting the program to its window being mapped, and the peak
# memory (/usr/bin/time -v). Goal: within 1.2x of the calculator's time.
# Each run starts with no remembered settings. Runs itself under xvfb-run
# when there is no display.
# Usage: bench/profile_startup.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: bench/profile_startup.sh BUILD_DIR}" && pwd)

if [ -z "${VCURVE_BENCH_DISPLAY:-}" ]; then
  export VCURVE_BENCH_DISPLAY=1
  # A display of its own, kept up between runs (-noreset): see startup.sh.
  display=$((200 + RANDOM % 500))
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
    display=$((display + 1))
  done
  exec xvfb-run -n "$display" -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb

calculator=$build/app/vcurve
profile=$build/app/profile/vcurve-profile
runs=${STARTUP_RUNS:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for program in "$calculator" "$profile"; do
  [ -x "$program" ] || { echo "profile_startup: $program is not built" >&2; exit 1; }
done

now_us() { echo "${EPOCHREALTIME/./}"; }

# One start: prints "<microseconds to mapped> <peak KiB>".
measure_once() {
  local program=$1 start timer pid="" mapped
  rm -rf "$work/config"
  start=$(now_us)
  XDG_CONFIG_HOME=$work/config /usr/bin/time -v -o "$work/time" "$program" >"$work/output" 2>&1 &
  timer=$!
  while [ -z "$pid" ]; do pid=$(pgrep -P "$timer" || true); done
  until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "profile_startup: $program ended before its window showed:" >&2
      cat "$work/output" "$work/time" >&2
      return 1
    fi
    sleep 0.002
  done
  mapped=$(now_us)
  sleep 1
  kill -TERM "$pid"
  wait "$timer" || true
  echo "$((mapped - start)) $(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time")"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

programs=("$calculator" "$profile")
names=("calculator (vcurve)" "profile window (empty)")
for program in "${programs[@]}"; do measure_once "$program" >/dev/null; done  # warm caches
order=(0 1)
for ((i = 0; i < runs; i++)); do
  for p in "${order[@]}"; do measure_once "${programs[$p]}" >>"$work/runs.$p"; done
  order=("${order[1]}" "${order[0]}")
done

ms=() mib=()
for p in 0 1; do
  ms[p]=$(cut -d' ' -f1 "$work/runs.$p" | median | awk '{ printf "%.1f", $1 / 1000 }')
  mib[p]=$(cut -d' ' -f2 "$work/runs.$p" | median | awk '{ printf "%.1f", $1 / 1024 }')
  printf 'profile_startup: %-24s %7.1f ms to mapped, %6.1f MiB peak (median of %d)\n' \
    "${names[p]}" "${ms[p]}" "${mib[p]}" "$runs"
done
awk -v p="${ms[1]}" -v c="${ms[0]}" -v pm="${mib[1]}" -v cm="${mib[0]}" 'BEGIN {
  printf "profile_startup: profile window against the calculator: time %.2fx (goal <= 1.2x: %s), memory %.2fx\n",
    p / c, (p / c <= 1.2 ? "met" : "MISSED"), pm / cm
}'
