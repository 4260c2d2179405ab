#!/usr/bin/env bash
# vcurve-table writing 1,000,000 stations to a file, against a plain Python
# script doing the same arithmetic and formatting, in the same run.
# Goals: at least 2 million lines per second on one core, and at least 5
# times the Python baseline. Usage: bench/table.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: bench/table.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
table=$build/app/table/vcurve-table
[ -x "$table" ] || { echo "table: $table is not built" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A curve whose tangent fits its radius and grades, 1,000,000 stations a
# millimetre apart: from 4500 to 5499.999 in thousandths.
curve=(--type convex --pvi 5000 --tangent 500 --radius 20000 --elevation 100 --g1 3 --g2 2)
stations=(--from 4500 --to 5499.999 --step 0.001)
baseline=(convex 5000 500 20000 100 3 2 4500000 1 1000000 3)
lines=1000000
runs=${TABLE_RUNS:-5}


best() {  # output file, then the command; prints the best wall time in seconds
  local out=$1 best_us="" i start end us
  shift
  for ((i = 0; i < runs; i++)); do
    start=${EPOCHREALTIME/./}
    "$@" >"$out"
    end=${EPOCHREALTIME/./}
    us=$((end - start))
    if [ -z "$best_us" ] || [ "$us" -lt "$best_us" ]; then best_us=$us; fi
  done
  awk -v us="$best_us" 'BEGIN { printf "%.3f", us / 1e6 }'
}

table_s=$(best "$work/table.txt" "$table" "${curve[@]}" "${stations[@]}")
runs=${PYTHON_RUNS:-3}
python_s=$(best /dev/null python3 "$here/table_baseline.py" "$work/python.txt" \
  "${baseline[@]}")

written=$(wc -l <"$work/table.txt")
[ "$written" -eq "$lines" ] || { echo "table: wrote $written lines, not $lines" >&2; exit 1; }
if ! cmp -s "$work/table.txt" "$work/python.txt"; then
  echo "table: the outputs differ; first difference:" >&2
  cmp "$work/table.txt" "$work/python.txt" >&2 || true
  exit 1
fi

awk -v t="$table_s" -v p="$python_s" -v n="$lines" 'BEGIN {
  rate = n / t / 1e6; ratio = p / t
  printf "table: vcurve-table  %d lines in %.3f s = %.2f million lines/s (goal >= 2): %s\n",
         n, t, rate, (rate >= 2 ? "met" : "MISSED")
  printf "table: python3       %d lines in %.3f s = %.2f million lines/s\n", n, p, n / p / 1e6
  printf "table: ratio %.1fx (goal >= 5x): %s; both outputs byte for byte identical\n",
         ratio, (ratio >= 5 ? "met" : "MISSED")
}'
