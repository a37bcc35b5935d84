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

# Median wall time in milliseconds of RUNS runs of a command (process start included for every tool).
median_ms() {
  local times=() start end
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "%.1f", a[int((NR + 1) / 2)] / 1000 }'
}

peak_kib() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }

ours=$(median_ms "$bin" once "$tree" "$workers")
single=$(median_ms "$bin" once "$tree" 1)
du_ms=$(median_ms du -s -b "$tree")
gdu_ms=$(median_ms gdu -n -p "$tree")

echo "tree: $files files in $folders folders, $(nproc) cores, median of $runs warm runs"
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
