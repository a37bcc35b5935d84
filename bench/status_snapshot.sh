#!/usr/bin/env bash
# Runs the status snapshot benchmark: CPU time of one whole snapshot (process table included,
# the 200 ms sampling sleep excluded) next to one run of
#   /bin/ps -axo pid=,ppid=,pcpu=,pmem=,comm=
# (procps-ng accepts this BSD-style spelling as it stands), and prints the ratio.
# Usage: bench/status_snapshot.sh [snapshots] [ps-runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/release"
[ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" --target status_snapshot -- --quiet
echo "reference: $(/bin/ps -axo pid=,ppid=,pcpu=,pmem=,comm= | wc -l) processes listed by ps"
"$dir/bench/status_snapshot" "${1:-20}" "${2:-20}"
