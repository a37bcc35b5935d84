#!/usr/bin/env bash
# Memory after start and idle CPU under Xvfb. Starts the real program with an empty home, waits
# until its start-up sequence has settled, reads its resident memory, opens Smart Clean (a page
# without live data) and measures the CPU it uses over 20 s of doing nothing; the bare Qt Quick
# program (one window, one text) is measured the same way beside it.
# Usage: bench/window_idle.sh [seconds=20] [scene graph backend; default: Roror's choice]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/release"
[ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" --target roror bare_first_frame -- --quiet
seconds=${1:-20}
if [ -n "${2:-}" ]; then export QT_QUICK_BACKEND=$2; else unset QT_QUICK_BACKEND; fi
source "$root/bench/window/session.sh"
start_display
hz=$(getconf CLK_TCK)

# Prints "<rss kB> <cpu %>" of a program whose window is named $1, started as $2...
measure() {
  local name=$1 pid window before after
  shift
  "$@" >/dev/null 2>&1 &
  pid=$!
  bench_pids+=("$pid")
  window=$(wait_window "$name")
  # The start-up sequence (status snapshot, update check) runs after the first frame.
  sleep 4
  local rss
  rss=$(rss_kb "$pid")
  if [ "$name" = '^Roror$' ]; then
    # Smart Clean: sidebar item 2 (brand block 108 high, items 42 high and 4 apart).
    xdotool mousemove --window "$window" 112 175 click 1
    xdotool mousemove --window "$window" 700 400
    sleep 2
  fi
  before=$(cpu_ticks "$pid")
  sleep "$seconds"
  after=$(cpu_ticks "$pid")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  awk -v r="$rss" -v t="$((after - before))" -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%d %.3f\n", r, 100 * t / hz / s }'
}

read -r ours_rss ours_cpu < <(measure '^Roror$' "$dir/roror")
# The bare program runs with the backend Roror chooses for itself on this machine.
if [ -z "${QT_QUICK_BACKEND:-}" ] && [ -z "${QSG_RHI_BACKEND:-}" ] && ! compgen -G '/dev/dri/renderD*' >/dev/null; then
  export QT_QUICK_BACKEND=software
fi
read -r bare_rss bare_cpu < <(measure '^Bare$' "$dir/bench/window/bare_first_frame" "$(( ${EPOCHREALTIME/./} * 1000 ))" --stay)
awk -v orss="$ours_rss" -v brss="$bare_rss" -v oc="$ours_cpu" -v bc="$bare_cpu" -v s="$seconds" 'BEGIN {
  printf "resident memory after start   roror %7.1f MB   bare %7.1f MB   ratio %.2fx (limit 2.00x)\n", orss / 1024, brss / 1024, orss / brss
  printf "idle CPU over %d s             roror %7.3f %%    bare %7.3f %%    (limit 0.2 %% of one core)\n", s, oc, bc
}'
