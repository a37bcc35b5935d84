#!/usr/bin/env bash
# Instructions per refresh of the Overview over the scripted snapshots, counted by callgrind over
# a fixed number of refreshes with animation time advancing 16 ms per tick, so that two builds are
# compared on the same frames whatever the machine's load. A tool for comparing changes; the CPU
# figures are dashboard_replay.sh's and dashboard_cpu.sh's.
# Usage: bench/dashboard_replay_instructions.sh [refreshes=6] [callgrind output file]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/release"
[ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" --target dashboard_replay -- --quiet
command -v valgrind >/dev/null || { echo "valgrind is not installed" >&2; exit 1; }
refreshes=${1:-6}
home=$(mktemp -d)
out=${2:-$home/callgrind.out}
trap 'rm -rf "$home"' EXIT
HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software \
  BENCH_FIXED_STEP=1 BENCH_REFRESHES="$refreshes" \
  valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$out" \
  "$dir/bench/dashboard_replay" >"$home/log" 2>&1
grep -E '^(refreshes|frames)' "$home/log"
total=$(callgrind_annotate "$out" 2>/dev/null | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }')
awk -v t="$total" -v n="$refreshes" 'BEGIN { printf "instructions                %8.1f M per refresh\n", t / n / 1e6 }'
