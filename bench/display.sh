# Sourced by the timing scripts in this folder: a display of their own, and
# the measuring of a program's start-up to its mapped window.

# Runs the script again under xvfb-run, with Xvfb's extra options $1, and
# returns only when it already runs there. Usage: own_display OPTIONS "$0" "$@"
own_display() {
  local options=$1 display
  shift
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
    exec xvfb-run -n "$display" -s "-screen 0 1280x1024x24 $options -noreset" "$@"
  fi
  export QT_QPA_PLATFORM=xcb
}

now_us() { echo "${EPOCHREALTIME/./}"; }

# One start of a command line (word-split), with no remembered settings, in
# the folder $work: prints "<microseconds to mapped> <peak KiB>".
measure_once() {
  local program=$1 start timer pid="" mapped
  rm -rf "$work/config"
  start=$(now_us)
  # shellcheck disable=SC2086
  XDG_CONFIG_HOME=$work/config /usr/bin/time -v -o "$work/time" $program >"$work/output" 2>&1 &
  timer=$!
  while [ -z "$pid" ]; do pid=$(pgrep -P "$timer" || true); done
  # Polled, not --sync: xdotool's own wait sleeps half a second between looks.
  until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "$(basename "$0" .sh): $program ended before its window showed:" >&2
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

# Each command line once to warm the caches, then RUNS rounds of one start
# each, in turn, the order reversed every round, so that a change in the
# machine's load and whatever the previous start left behind fall on all
# alike. The starts of command line p go to $work/runs.p.
# Usage: measure_in_turn RUNS COMMAND_LINE...
measure_in_turn() {
  local runs=$1 programs order i p
  shift
  programs=("$@")
  for p in "${!programs[@]}"; do measure_once "${programs[p]}" >/dev/null; done
  order=("${!programs[@]}")
  for ((i = 0; i < runs; i++)); do
    for p in "${order[@]}"; do measure_once "${programs[p]}" >>"$work/runs.$p"; done
    mapfile -t order < <(printf '%s\n' "${order[@]}" | tac)
  done
}

median() {  # of one column of the runs
  sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

summary() {  # runs file: "<milliseconds> <MiB>" of the medians
  awk -v us="$(cut -d' ' -f1 "$1" | median)" -v kb="$(cut -d' ' -f2 "$1" | median)" \
    'BEGIN { printf "%.1f %.1f\n", us / 1000, kb / 1024 }'
}
