#!/usr/bin/env bash
# Times the archive inspection of a large zip against "unzip -Z -1 | head -n 50" on the same file.
# Usage: bench/archive_listing.sh [build-dir] [members]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
members=${2:-50000}
bin="$build/bench/archive_listing"
[ -x "$bin" ] || { echo "build the archive_listing target first ($bin)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/content/docs"
(cd "$work/content/docs" && seq 1 "$members" | sed 's/^/page-/; s/$/.txt/' | xargs touch)
(cd "$work/content" && zip -q -r -0 "$work/large.zip" docs)
echo "archive: $members members, $(stat -c %s "$work/large.zip") bytes"

runs=20
times=()
for _ in $(seq $runs); do
  start=$(date +%s%N)
  { /usr/bin/unzip -Z -1 "$work/large.zip" || true; } | head -n 50 >/dev/null
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000 )))
done
ref_us=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")

out=$("$bin" "$work/large.zip" "$runs")
echo "$out"
ours_ms=$(echo "$out" | sed -n 's/^median_ms=\([0-9.]*\).*/\1/p')

awk -v ours="$ours_ms" -v ref="$ref_us" 'BEGIN {
  refms = ref / 1000.0
  printf "roror zipHoldsInstaller            median %8.2f ms\n", ours
  printf "unzip -Z -1 | head -n 50           median %8.2f ms\n", refms
  printf "ratio (pipeline / roror)           %8.2fx\n", refms / ours
}'
