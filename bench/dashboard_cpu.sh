#!/usr/bin/env bash
# CPU share of the program with the Overview open, next to `top -b -d 2` (which also reads every
# process every 2 s), both measured over the same window from /proc/<pid>/stat.
# Usage: bench/dashboard_cpu.sh [seconds=60] [program (default: the Overview window)]
# The window runs on the platform of QT_QPA_PLATFORM (offscreen when unset) with the software
# scene graph, as the view tests do; pass DISPLAY and QT_QPA_PLATFORM=xcb to measure under X.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/release"
[ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" --target dashboard_window -- --quiet
seconds=${1:-60}
program=${2:-$dir/bench/dashboard_window}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export QT_QUICK_BACKEND=${QT_QUICK_BACKEND:-software}

home=$(mktemp -d)
trap 'kill "$ours" "$top" 2>/dev/null || true; rm -rf "$home"' EXIT
HOME="$home" XDG_CONFIG_HOME="$home/.config" "$program" >/dev/null 2>&1 &
ours=$!
top -b -d 2 >/dev/null 2>&1 &
top=$!
# Start-up is not what is measured: let both settle first.
sleep 5

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
ours_start=$(ticks "$ours"); top_start=$(ticks "$top"); t0=$(date +%s%N)
sleep "$seconds"
ours_end=$(ticks "$ours"); top_end=$(ticks "$top"); t1=$(date +%s%N)

awk -v o=$((ours_end - ours_start)) -v t=$((top_end - top_start)) -v hz="$hz" -v ns=$((t1 - t0)) 'BEGIN {
  s = ns / 1e9
  ours = 100 * o / hz / s; ref = 100 * t / hz / s
  printf "window                             %8.1f s\n", s
  printf "roror (Overview live)  CPU         %8.2f %% of one core\n", ours
  printf "top -b -d 2            CPU         %8.2f %% of one core\n", ref
  if (ours > 0) printf "ratio (top / roror)                %8.2fx\n", ref / ours
  else          printf "ratio (top / roror)                  roror used no measurable CPU\n"
}'
