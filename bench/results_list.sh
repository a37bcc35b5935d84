#!/usr/bin/env bash
# Builds and first paints the kit's result list over 500, 5,000 and 50,000 rows, offscreen with the
# software scene graph, and prints the medians side by side with their ratio to the 500-row list:
# the cost should follow the rows shown, not the rows held.
# Usage: bench/results_list.sh [runs (default 5)]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
build="$root/build/release"
if [ ! -f "$build/build.ninja" ]; then
  "$root/scripts/build" Release
fi
cmake --build "$build" --target results_list -- --quiet
QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software "$build/bench/results_list" "$runs" 500 5000 50000
