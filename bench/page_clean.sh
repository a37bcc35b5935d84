#!/usr/bin/env bash
# The Smart Clean page over a generated fake home: the time until the page shows the preview next
# to the engine's own time for the same tree, and the longest stall of the GUI thread's event loop
# during the previews and the clean that follows (a 10 ms timer's worst lateness).
# Usage: bench/page_clean.sh [files (default 200000)] [runs (default 5)]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
files=${1:-200000}
runs=${2:-5}
build="$root/build/release"
if [ ! -f "$build/build.ninja" ]; then
  "$root/scripts/build" Release
fi
cmake --build "$build" --target clean_preview page_clean -- --quiet

work=$(mktemp -d "${TMPDIR:-/tmp}/roror-page-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
home="$work/home"
echo "generating a fake home with $files cache files in $work ..."
"$build/bench/clean_preview" generate "$home" "$files"

out=$("$build/bench/page_clean" time "$home" "$runs")
echo "$out"
awk '
  /ratio=/ { for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] } }
  /preview_max_stall_ms=/ { for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] } }
  /clean_max_stall_ms=/ { for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] } }
  END {
    stall = v["preview_max_stall_ms"] > v["clean_max_stall_ms"] ? v["preview_max_stall_ms"] : v["clean_max_stall_ms"]
    printf "page shows the report in %.2fx the engine time (goal below 1.2x): %s\n", v["ratio"], v["ratio"] < 1.2 ? "met" : "NOT met"
    printf "longest GUI stall %.1f ms (goal below 50 ms): %s\n", stall, stall < 50 ? "met" : "NOT met"
  }' <<<"$out"
