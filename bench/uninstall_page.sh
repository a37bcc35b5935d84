#!/usr/bin/env bash
# Uninstall Apps with 300 app bundles (each with an icon) in a throw-away home: the longest GUI-thread
# stall while the table and its icons load, and the repaint time of each sort toggle.
# Usage: bench/uninstall_page.sh [ROUNDS]   (COUNT in the environment changes the number of bundles)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-10}
count=${COUNT:-300}
build="$root/build/release"

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target uninstall_page -- --quiet

work=$(mktemp -d "${TMPDIR:-/tmp}/roror-uninstall-page-XXXXXX")
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} QT_QUICK_BACKEND=${QT_QUICK_BACKEND:-software}
"$build/bench/uninstall_page" generate "$HOME" "$count" >/dev/null
echo "$count app bundles, $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/uninstall_page" run "$rounds"
