#!/usr/bin/env bash
# Every benchmark against one build folder configured with
# -DVCURVE_BUILD_BENCHMARKS=ON: the core's per-call costs, the table
# program's speed against Python, the window's start-up against a bare Qt
# window, the window with a megabyte in a field, and the profile window's
# speed and start-up.
# Usage: bench/run.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: bench/run.sh BUILD_DIR}
here=$(dirname "$0")

[ -x "$build/bench/core_bench" ] || {
  echo "bench: $build/bench/core_bench is not built; configure with -DVCURVE_BUILD_BENCHMARKS=ON" >&2
  exit 1
}
echo "== per-call costs"
"$build/bench/core_bench"
echo
echo "== vcurve-table, 1,000,000 stations"
"$here/table.sh" "$build"
echo
echo "== profile engine, 1,000 PVIs over 100 km"
"$build/bench/profile_bench"
"$here/profile.sh" "$build"
echo
echo "== vcurve-table opening LandXML exports with a TIN"
"$here/landxml_open.sh" "$build"
echo "== cross sections: the 路基设计表 of 100 km, one elevation at an offset"
"$build/bench/sections_bench"
echo
echo "== start-up"
"$here/startup.sh" "$build"
echo
echo "== the window with a megabyte in a field"
"$here/big_field.sh" "$build"
if [ -x "$build/bench/profile_window_bench" ]; then
  echo
  echo "== vcurve-profile, a 1,000-PVI road"
  "$build/bench/profile_window_bench"
  echo
  echo "== vcurve-profile start-up"
  "$here/profile_startup.sh" "$build"
fi
if [ -x "$build/bench/sheet_bench" ]; then
  echo
  echo "== 纵断面图, every sheet of 100 km at 1:2000 on A3 (goal < 2 s each)"
  "$build/bench/sheet_bench"
fi
