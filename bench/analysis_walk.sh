#!/usr/bin/env bash
# Times the storage analysis walk next to `du -s -b` and `gdu -n` on one generated tree
# (200,000 files in 2,000 folders by default), warm cache, and prints the ratios and peak memory.
# Usage: bench/analysis_walk.sh [RUNS]   (FILES / FOLDERS / WORKERS in the environment override the tree)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-7}
files=${FILES:-200000}
folders=${FOLDERS:-2000}
workers=${WORKERS:-0}
bin=${ANALYSIS_WALK_BIN:-$root/build/release/bench/analysis_walk}

if [ ! -f "$root/build/release/build.ninja" ]; then
  cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$root/build/release" --target analysis_walk -- --quiet
for tool in du gdu /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup installs it)" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/roror-analysis-walk-XXXXXX")
trap 'rm -rf "$work"' EXIT
tree="$work/tree"
"$bin" generate "$tree" "$files" "$folders"

# Warm the cache: every tool below reads the same, already cached, inodes.
du -s -b "$tree" >/dev/null
"$bin" once "$tree" "$workers" >/dev/null
gdu -n -p "$tree" >/dev/null

# Wall time in microseconds of one run of a command (process start included for every tool).
elapsed_us() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(( (end - start) / 1000 ))
}
median_ms() { sort -n | awk '{ a[NR] = $1 } END { printf "%.1f", a[int((NR + 1) / 2)] / 1000 }'; }
peak_kib() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }

# The tools take turns in every round, so a change in the machine's load hits them all alike.
ours_runs=() single_runs=() du_runs=() gdu_runs=()
for _ in $(seq "$runs"); do
  ours_runs+=("$(elapsed_us "$bin" once "$tree" "$workers")")
  du_runs+=("$(elapsed_us du -s -b "$tree")")
  gdu_runs+=("$(elapsed_us gdu -n -p "$tree")")
  single_runs+=("$(elapsed_us "$bin" once "$tree" 1)")
done
ours=$(printf '%s\n' "${ours_runs[@]}" | median_ms)
single=$(printf '%s\n' "${single_runs[@]}" | median_ms)
du_ms=$(printf '%s\n' "${du_runs[@]}" | median_ms)
gdu_ms=$(printf '%s\n' "${gdu_runs[@]}" | median_ms)

echo "tree: $files files in $folders folders, $(nproc) cores, median of $runs warm runs, load average $(cut -d" " -f1-3 /proc/loadavg)"
"$bin" walk "$tree" "$runs" "$workers"
printf '%-36s %10s ms   peak %7s KiB\n' "LocalAnalysis::snapshot (parallel)" "$ours" "$(peak_kib "$bin" once "$tree" "$workers")"
printf '%-36s %10s ms   peak %7s KiB\n' "LocalAnalysis::snapshot (1 thread)" "$single" "$(peak_kib "$bin" once "$tree" 1)"
printf '%-36s %10s ms   peak %7s KiB\n' "du -s -b" "$du_ms" "$(peak_kib du -s -b "$tree")"
printf '%-36s %10s ms   peak %7s KiB\n' "gdu -n -p" "$gdu_ms" "$(peak_kib gdu -n -p "$tree")"
awk -v o="$ours" -v d="$du_ms" -v g="$gdu_ms" 'BEGIN {
  printf "ratio du / snapshot:  %.2fx (target >= 3x)\n", d / o
  printf "ratio gdu / snapshot: %.2fx (target >= 1x)\n", g / o
}'
echo "walk peak memory: $(peak_kib "$bin" once "$tree" "$workers") KiB for the whole process (target under 64 MB)"
