#!/usr/bin/env bash
# The window with a megabyte pasted into the focused field: the share of a
# core the idle window uses and the time a keystroke takes, against a field
# of ordinary length in the same run. Goals: idle under 5 % of a core, every
# keystroke under 200 ms. Runs itself under xvfb-run when there is no display.
# Usage: bench/big_field.sh BUILD_DIR [CHARACTERS]
set -euo pipefail
build=$(cd "${1:?usage: bench/big_field.sh BUILD_DIR [CHARACTERS]}" && pwd)
program=$build/bench/big_field
[ -x "$program" ] || { echo "big_field: $program is not built (needs the window)" >&2; exit 1; }

. "$(dirname "$0")/display.sh"
own_display "-dpi 96" "$0" "$@"
"$program" "${2:-1000000}" 2> >(grep -v XDG_RUNTIME_DIR >&2)
