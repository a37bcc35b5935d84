#!/usr/bin/env bash
# Times the Smart Clean of a generated cache under an empty protection list and under a long one,
# side by side in one run (interleaved, fresh cache each time), and prints the ratio of the medians.
# Usage: bench/clean_protection.sh [files (default 10000)] [lines (default 10000)] [runs (default 7)]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
files=${1:-10000}
lines=${2:-10000}
runs=${3:-7}
build="$root/build/release"
if [ ! -f "$build/build.ninja" ]; then
  "$root/scripts/build" Release
fi
cmake --build "$build" --target clean_protection -- --quiet
bin="$build/bench/clean_protection"

work=$(mktemp -d "${TMPDIR:-/tmp}/roror-clean-protection-XXXXXX")
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_CONFIG_HOME="$work/home/.config"
"$bin" "$work" "$files" "$lines" "$runs"
