#!/usr/bin/env bash
# The Windows build prints what the Linux build prints, byte for byte:
#   tests/windows/compare_table.sh LINUX_VCURVE_TABLE WINDOWS_VCURVE_TABLE_EXE
# runs both with the same arguments, the .exe under Wine (WINE, default
# /usr/lib/wine/wine64, in the caller's WINEPREFIX), and compares standard
# output, standard error and exit status. Line endings are compared too: the
# .exe writes its streams in binary mode, so they must match exactly.
set -uo pipefail
linux=$(realpath "$1")
exe=$(realpath "$2")
examples=$(realpath "$(dirname "$0")/../../examples")
wine=${WINE:-/usr/lib/wine/wine64}
export WINEDEBUG=-all
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

# Wine gives a Windows program the user locale that LC_ALL names, with its
# decimal separator and ANSI code page (zh_CN: code page 936). It reads the
# command line in the host locale's character set, so that locale must exist
# on the host too, or a Chinese argument arrives garbled before the program
# sees it: the locales are built into the work folder.
locales=$work/locales
mkdir -p "$locales"
for locale in de_DE zh_CN; do
  localedef -i $locale -f UTF-8 "$locales/$locale.UTF-8" 2>/dev/null
done

compare() {  # case name, LC_ALL for the .exe, then the arguments
  local name=$1 windows_locale=$2
  shift 2
  LC_ALL=C.UTF-8 "$linux" "$@" >"$work/linux.out" 2>"$work/linux.err"
  echo $? >"$work/linux.status"
  LOCPATH=$locales LC_ALL=$windows_locale "$wine" "$exe" "$@" >"$work/windows.out" 2>"$work/windows.err"
  echo $? >"$work/windows.status"
  local part differs=""
  for part in out err status; do
    cmp -s "$work/linux.$part" "$work/windows.$part" || differs+=" $part"
  done
  if [ -z "$differs" ]; then
    passed=$((passed + 1))
    echo "same: $name ($(wc -l <"$work/linux.out") lines, exit $(cat "$work/linux.status"))"
  else
    failed=$((failed + 1))
    echo "DIFFERENT: $name:$differs"
    for part in $differs; do
      cmp "$work/linux.$part" "$work/windows.$part" 2>&1 | head -n 1
      diff <(head -c 4000 "$work/linux.$part") <(head -c 4000 "$work/windows.$part") | head -n 8
    done
  fi
}

example=(--type convex --pvi 500 --tangent 40 --radius 800 --elevation 100 --g1 3 --g2 2)
awkward=(--type concave --pvi 5030.25 --tangent 123.456 --radius 3456.7 --elevation 101.234
  --g1 2.345 --g2 1.234)
long=(--type concave --pvi K12+345.678 --tangent 600 --radius 25000 --elevation 1234.5
  --g1 2.4 --g2 2.4)

compare "whole curve, result lines" C.UTF-8 "${example[@]}"
compare "summary and chainage stations" C.UTF-8 --type convex --pvi K5+030 --tangent 60 \
  --radius 3000 --elevation 100 --g1 2.5 --g2 1.5 --summary --at K4+987.5 --at 5045
compare "CSV with summary, decimal-comma locale" de_DE.UTF-8 "${awkward[@]}" --format csv \
  --summary --from 4906.794 --to 5153.706 --step 0.617
compare "1.2 million stations" C.UTF-8 "${long[@]}" --from 11745.678 --to 12945.678 \
  --step 0.001
compare "1.2 million stations, CSV" zh_CN.UTF-8 "${long[@]}" --format csv --from 11745.678 \
  --to 12945.678 --step 0.001
compare "warnings for a small radius and a steep grade" C.UTF-8 --type convex --pvi 500 \
  --tangent 40 --radius 200 --elevation 100 --g1 12 --g2 2 --at 480 --at 500
compare "a station that overflows" C.UTF-8 --type convex --pvi 0 --tangent 1e200 \
  --radius 1000 --elevation 100 --g1 1 --g2 1 --at -1e200 --at 0 --at 1e200
compare "a Chinese value refused, Chinese locale" zh_CN.UTF-8 "${example[@]}" --at 桩号480
compare "help" zh_CN.UTF-8 --help

# Whole profiles, read by a relative name so that both programs are given,
# and print, the same file name.
cd "$examples" || exit 1
compare "profile: 纵坡竖曲线表" C.UTF-8 --profile mountain-highway.csv --summary
compare "profile: checks at 80 km/h, Chinese locale" zh_CN.UTF-8 --profile mountain-highway.csv \
  --speed 80 --check
compare "profile: LandXML, default stations" C.UTF-8 --profile mountain-highway.xml
compare "profile: CSV at 1 m, decimal-comma locale" de_DE.UTF-8 --profile mountain-highway.csv \
  --format csv --from K0+000 --to K6+630 --step 1
compare "profile: reverse lookup" C.UTF-8 --profile mountain-highway.csv --find-elevation 860.5
compare "profile: a file that is not there" C.UTF-8 --profile 没有这个文件.csv

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
