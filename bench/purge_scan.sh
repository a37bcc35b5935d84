#!/usr/bin/env bash
# Times the Project Cleanup scan against find + du on the same generated tree (warm cache).
# Usage: bench/purge_scan.sh [build-dir] [projects] [packages-per-project]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
projects=${2:-24}
packages=${3:-200}
bin="$build/bench/purge_scan"
[ -x "$bin" ] || { echo "build the purge_scan target first ($bin)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree="$work/tree"
"$bin" --generate "$tree" "$projects" "$packages"
total=$(find "$tree" -type f | wc -l)
echo "files in tree: $total"

pipeline() {
  find "$tree" -maxdepth 6 -type d \( -name node_modules -o -name target -o -name build \) -prune \
    -exec du -s --block-size=1 {} + >/dev/null
}

runs=5
pipeline # warm the cache
times=()
for _ in $(seq $runs); do
  start=$(date +%s%N)
  pipeline
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000 )))
done
ref_us=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")

out=$("$bin" "$tree" "$runs")
echo "$out"
ours_ms=$(echo "$out" | sed -n 's/^median_ms=\([0-9.]*\).*/\1/p')

awk -v ours="$ours_ms" -v ref="$ref_us" 'BEGIN {
  refms = ref / 1000.0
  printf "roror LocalPurgePreview::snapshot  median %8.1f ms\n", ours
  printf "find | du pipeline                 median %8.1f ms\n", refms
  printf "ratio (pipeline / roror)           %8.2fx\n", refms / ours
}'
