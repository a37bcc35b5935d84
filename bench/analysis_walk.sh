#!/usr/bin/env bash
# Times the storage analysis walk next to `du -s -b` and `gdu -n -p` on generated trees, warm cache,
# and prints for every tree size the ratios against both tools and the peak memory.
# Usage: bench/analysis_walk.sh [RUNS]
#   SIZES   space-separated FILES:FOLDERS trees (default "200000:2000 1000000:10000")
#   WORKERS threads of the walk (default 0: two per core)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-7}
sizes=${SIZES:-200000:2000 1000000:10000}
workers=${WORKERS:-0}
bin=${ANALYSIS_WALK_BIN:-$root/build/release/bench/analysis_walk}
du_target=8
gdu_target=4

if [ ! -f "$root/build/release/build.ninja" ]; then
  cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$root/build/release" --target analysis_walk -- --quiet
for tool in du gdu /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup installs it)" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/roror-analysis-walk-XXXXXX")
trap 'rm -rf "$work"' EXIT

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

# What starting each program costs on its own, over an empty folder: part of every figure below.
mkdir "$work/empty"
start_ours=() start_du=() start_gdu=()
for _ in $(seq "$runs"); do
  start_ours+=("$(elapsed_us "$bin" once "$work/empty" "$workers")")
  start_du+=("$(elapsed_us du -s -b "$work/empty")")
  start_gdu+=("$(elapsed_us gdu -n -p "$work/empty")")
done
echo "$(nproc) cores, median of $runs warm runs per tool, the tools taking turns in every round"
printf 'process start on an empty folder: snapshot %s ms, du %s ms, gdu %s ms\n' \
  "$(printf '%s\n' "${start_ours[@]}" | median_ms)" "$(printf '%s\n' "${start_du[@]}" | median_ms)" \
  "$(printf '%s\n' "${start_gdu[@]}" | median_ms)"

summary=()
for size in $sizes; do
  files=${size%%:*}
  folders=${size##*:}
  tree="$work/tree-$files"
  echo
  "$bin" generate "$tree" "$files" "$folders" >/dev/null

  # Warm the cache: every tool below reads the same, already cached, inodes.
  du -s -b "$tree" >/dev/null
  "$bin" once "$tree" "$workers" >/dev/null
  gdu -n -p "$tree" >/dev/null

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

  echo "tree: $files files in $folders folders, load average $(cut -d" " -f1-3 /proc/loadavg)"
  "$bin" walk "$tree" "$runs" "$workers"
  printf '%-36s %10s ms   peak %7s KiB (target under 64 MB)\n' "LocalAnalysis::snapshot (parallel)" "$ours" \
    "$(peak_kib "$bin" once "$tree" "$workers")"
  printf '%-36s %10s ms   peak %7s KiB\n' "LocalAnalysis::snapshot (1 thread)" "$single" "$(peak_kib "$bin" once "$tree" 1)"
  printf '%-36s %10s ms   peak %7s KiB\n' "du -s -b" "$du_ms" "$(peak_kib du -s -b "$tree")"
  printf '%-36s %10s ms   peak %7s KiB\n' "gdu -n -p" "$gdu_ms" "$(peak_kib gdu -n -p "$tree")"
  line=$(awk -v n="$files" -v o="$ours" -v d="$du_ms" -v g="$gdu_ms" -v dt="$du_target" -v gt="$gdu_target" 'BEGIN {
    printf "%8d files: du / snapshot %5.2fx (target >= %dx), gdu / snapshot %5.2fx (target >= %dx)", n, d / o, dt, g / o, gt
  }')
  echo "$line"
  summary+=("$line")
  rm -rf "$tree"
done

echo
echo "ratios (wall time of each tool over the walk's):"
printf '%s\n' "${summary[@]}"
