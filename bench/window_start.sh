#!/usr/bin/env bash
# Start to first painted window under Xvfb: Roror's window (same set-up, model and QML as the
# program) next to a bare Qt Quick program with one window and one text, built the same way and
# run with the same scene-graph backend, alternating, several runs each. Prints both medians and
# the ratio (Roror should stay within 1.5x of the bare program). The CPU time both used until then
# (all threads) is printed beside it: on a busy machine it is the steadier of the two figures.
# Usage: bench/window_start.sh [runs=11] [scene graph backend, e.g. software; default: Roror's choice]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/release"
[ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" --target roror_first_frame bare_first_frame -- --quiet
runs=${1:-11}
if [ -n "${2:-}" ]; then export QT_QUICK_BACKEND=$2; else unset QT_QUICK_BACKEND; fi
source "$root/bench/window/session.sh"
start_display

run_once() {
  "$1" "$(( ${EPOCHREALTIME/./} * 1000 ))" >>"$bench_work/$(basename "$1").log"
}
field() {
  tail -n "$runs" "$bench_work/$1.log" | sed -n "s/.*$2=\([0-9.]*\).*/\1/p" | median
}

# One warm-up run each, so both find their libraries and fonts in the page cache. The bare
# program then runs with the backend Roror chose for itself.
run_once "$dir/bench/window/roror_first_frame"
[ "$(sed -n 's/.*backend=//p' "$bench_work/roror_first_frame.log")" = software ] && export QT_QUICK_BACKEND=software
run_once "$dir/bench/window/bare_first_frame"
for _ in $(seq "$runs"); do
  run_once "$dir/bench/window/bare_first_frame"
  run_once "$dir/bench/window/roror_first_frame"
done
backend=$(sed -n 's/.*backend=//p' "$bench_work/roror_first_frame.log" | head -n1)
echo "scene graph backend: $backend ($runs runs each, Xvfb 1440x900, load average $(cut -d' ' -f1 /proc/loadavg))"
awk -v o="$(field roror_first_frame first_frame_ms)" -v b="$(field bare_first_frame first_frame_ms)" \
    -v oc="$(field roror_first_frame cpu_ms)" -v bc="$(field bare_first_frame cpu_ms)" 'BEGIN {
  printf "launch to first frame    roror median %7.1f ms   bare median %7.1f ms   ratio %.2fx (limit 1.50x)\n", o, b, o / b
  printf "CPU time until then      roror median %7.1f ms   bare median %7.1f ms   ratio %.2fx\n", oc, bc, oc / bc
}'
