#!/usr/bin/env bash
# Times the Smart Clean preview next to `du -s --block-size=1` over the same catalogue folders of a
# generated fake home (warm cache: both run once before they are timed).
# Usage: bench/clean_preview.sh [files (default 200000)] [runs (default 5)]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
files=${1:-200000}
runs=${2:-5}
build="$root/build/release"
if [ ! -f "$build/build.ninja" ]; then
  "$root/scripts/build" Release
fi
cmake --build "$build" --target clean_preview -- --quiet
bin="$build/bench/clean_preview"

work=$(mktemp -d "${TMPDIR:-/tmp}/roror-clean-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
home="$work/home"
# The Trash the preview measures is the one below the data folder of the fake home.
export XDG_DATA_HOME="$home/.local/share"

echo "generating a fake home with $files cache files in $work ..."
start=$(date +%s)
"$bin" generate "$home" "$files"
echo "generated in $(( $(date +%s) - start )) s"

mapfile -t locations < <("$bin" locations "$home")
echo "catalogue folders present: ${#locations[@]}"

now_ns() { date +%s%N; }

# du: one warm-up, then the best of $runs.
du -s --block-size=1 "${locations[@]}" >/dev/null
du_best=""
for _ in $(seq "$runs"); do
  t0=$(now_ns)
  du -s --block-size=1 "${locations[@]}" >/dev/null
  t1=$(now_ns)
  elapsed=$(( t1 - t0 ))
  if [ -z "$du_best" ] || [ "$elapsed" -lt "$du_best" ]; then du_best=$elapsed; fi
done
du_seconds=$(awk -v ns="$du_best" 'BEGIN { printf "%.4f", ns / 1e9 }')
du_total=$(du -s --block-size=1 -c "${locations[@]}" | tail -1 | cut -f1)

ours=$("$bin" time "$home" "$runs")
echo "$ours"
snapshot_seconds=$(sed -n 's/.*snapshot_best=\([0-9.]*\).*/\1/p' <<<"$ours")

# The whole program once more, start-up included, for the record.
t0=$(now_ns)
"$bin" time "$home" 1 >/dev/null
t1=$(now_ns)
process_seconds=$(awk -v ns="$(( t1 - t0 ))" 'BEGIN { printf "%.4f", ns / 1e9 }')

echo "du -s --block-size=1 over the same folders: best ${du_seconds} s (total ${du_total} bytes, every file walked)"
echo "LocalCleanPreview::snapshot:               best ${snapshot_seconds} s (per-location limit of 20000 items)"
echo "benchmark process with warm-up and one timed run: ${process_seconds} s"
awk -v a="$snapshot_seconds" -v b="$du_seconds" 'BEGIN { printf "ratio snapshot/du = %.3f\n", a / b }'
