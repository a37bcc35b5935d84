#!/usr/bin/env bash
# Storage Analysis through the page next to the engine alone, on the generated 200,000-file tree.
# Usage: bench/analyze_page.sh [RUNS]   (FILES / FOLDERS in the environment change the tree)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
files=${FILES:-200000}
folders=${FOLDERS:-2000}
build="$root/build/release"

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target analysis_walk analyze_page -- --quiet

work=$(mktemp -d "${TMPDIR:-/tmp}/roror-analyze-page-XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build/bench/analysis_walk" generate "$work/tree" "$files" "$folders" >/dev/null

# The model reads and writes its settings: keep them out of the user's own.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} QT_QUICK_BACKEND=${QT_QUICK_BACKEND:-software}
echo "tree: $files files in $folders folders, $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/analyze_page" "$work/tree" "$runs"
