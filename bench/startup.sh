#!/usr/bin/env bash
# Start-up of the real window against a bare Qt6 window built in the same
# tree: the time from starting the program to its window being mapped, and
# the peak memory (/usr/bin/time -v). Goal: within 1.2x of the bare window
# on both. Runs itself under xvfb-run when there is no display.
# Usage: bench/startup.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: bench/startup.sh BUILD_DIR}" && pwd)

. "$(dirname "$0")/display.sh"
own_display "" "$0" "$@"

bare=$build/bench/bare_window
real=$build/app/vcurve
runs=${STARTUP_RUNS:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

[ -x "$bare" ] || { echo "startup: $bare is not built (needs Qt 6 Widgets)" >&2; exit 1; }
programs=("$bare" "$bare --controls")
names=("bare Qt window" "same controls, no code")
if [ -x "$real" ]; then
  programs+=("$real")
  names+=("vcurve window")
else
  echo "startup: skipped the real window: $real is not built yet"
fi

measure_in_turn "$runs" "${programs[@]}"

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
