#!/usr/bin/env bash
# vcurve-table --profile writing the 100 km table at 1 m (100,001 rows) as
# CSV from a 1,000-PVI profile, against the goal of 0.2 s and against the
# single-curve table writing as many rows in the same run.
# Usage: bench/profile.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: bench/profile.sh BUILD_DIR}" && pwd)
table=$build/app/table/vcurve-table
bench=$build/bench/profile_bench
for program in "$table" "$bench"; do
  [ -x "$program" ] || { echo "profile: $program is not built" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
runs=${PROFILE_RUNS:-5}

best() {  # prints the best wall time in seconds of the command
  local best_us="" i start end us
  for ((i = 0; i < runs; i++)); do
    start=${EPOCHREALTIME/./}
    "$@" >/dev/null
    end=${EPOCHREALTIME/./}
    us=$((end - start))
    if [ -z "$best_us" ] || [ "$us" -lt "$best_us" ]; then best_us=$us; fi
  done
  awk -v us="$best_us" 'BEGIN { printf "%.3f", us / 1e6 }'
}

"$bench" --write-profile "$work/road.csv"
profile_s=$(best "$table" --profile "$work/road.csv" --from K0+000 --to K100+000 --step 1 \
  --format csv --output "$work/profile.csv")
curve_s=$(best "$table" --type convex --pvi 50000 --tangent 50000 --radius 5000000 \
  --elevation 100 --g1 1 --g2 1 --from 0 --to 100000 --step 1 --format csv)

rows=$(($(wc -l <"$work/profile.csv") - 1))
[ "$rows" -eq 100001 ] || { echo "profile: wrote $rows rows, not 100001" >&2; exit 1; }
awk -v p="$profile_s" -v c="$curve_s" 'BEGIN {
  printf "profile: 100 km at 1 m as CSV, 100,001 rows, load included: %.3f s (goal < 0.2 s): %s\n",
         p, (p < 0.2 ? "met" : "MISSED")
  printf "profile: one curve, as many rows, same run: %.3f s; the profile costs %.2fx that\n", c, p / c
}'
