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

. "$(dirname "$0")/display.sh"
own_display "" "$0" "$@"

calculator=$build/app/vcurve
profile=$build/app/profile/vcurve-profile
runs=${STARTUP_RUNS:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for program in "$calculator" "$profile"; do
  [ -x "$program" ] || { echo "profile_startup: $program is not built" >&2; exit 1; }
done

programs=("$calculator" "$profile")
names=("calculator (vcurve)" "profile window (empty)")
measure_in_turn "$runs" "${programs[@]}"

ms=() mib=()
for p in 0 1; do
  read -r ms[p] mib[p] < <(summary "$work/runs.$p")
  printf 'profile_startup: %-24s %7.1f ms to mapped, %6.1f MiB peak (median of %d)\n' \
    "${names[p]}" "${ms[p]}" "${mib[p]}" "$runs"
done
awk -v p="${ms[1]}" -v c="${ms[0]}" -v pm="${mib[1]}" -v cm="${mib[0]}" 'BEGIN {
  printf "profile_startup: profile window against the calculator: time %.2fx (goal <= 1.2x: %s), memory %.2fx\n",
    p / c, (p / c <= 1.2 ? "met" : "MISSED"), pm / cm
}'
