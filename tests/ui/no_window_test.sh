#!/usr/bin/env bash
# A window program started where no window can open: every such start
# must print one line that names the program, says why and ends with exit
# status 1, never abort.
# Usage: tests/ui/no_window_test.sh PROGRAM
set -u
program=${1:?usage: no_window_test.sh PROGRAM}
name=$(basename "$program")
ulimit -c 0

# An X display number with no server behind it.
free=$((400 + RANDOM % 400))
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done

# what | environment | a part of the line that names the cause
cases=(
  "an X display with no server|DISPLAY=:$free|“:$free”"
  "a garbage DISPLAY|DISPLAY=garbage|“garbage”"
  "an unknown platform|QT_QPA_PLATFORM=bogus|“bogus”"
  "only WAYLAND_DISPLAY, with no compositor|WAYLAND_DISPLAY=vcurve-no-compositor|Wayland"
  "no display at all||DISPLAY 和 WAYLAND_DISPLAY"
)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
for entry in "${cases[@]}"; do
  IFS='|' read -r what assignment cause <<<"$entry"
  # shellcheck disable=SC2086
  env -i PATH="$PATH" HOME="${HOME:-/}" $assignment timeout 30 "$program" \
    >"$work/out" 2>"$work/err"
  status=$?
  lines=$(wc -l <"$work/err")
  line=$(head -n 1 "$work/err")
  if [ "$status" -ne 1 ] || [ -s "$work/out" ] || [ "$lines" -ne 1 ] ||
    [[ "$line" != "$name：无法打开窗口："* ]] || [[ "$line" != *"$cause"* ]]; then
    echo "FAIL: $what: exit status $status, $lines lines on stderr, want 1 and one line naming $cause:"
    cat "$work/out" "$work/err"
    failures=$((failures + 1))
  else
    echo "ok: $what: $line"
  fi
done
[ "$failures" -eq 0 ]
