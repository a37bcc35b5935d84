#!/usr/bin/env bash
# GUI-thread stall of the Overview when a snapshot brings 1,000 sleeping children in and takes
# them out again, next to the same page over the machine as it is; the frame budget is 16 ms.
# Usage: bench/dashboard_rebuild.sh [children=1000] [refreshes=5]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/release"
[ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" --target dashboard_rebuild -- --quiet
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
HOME="$home" XDG_CONFIG_HOME="$home/.config" "$dir/bench/dashboard_rebuild" "${1:-1000}" "${2:-5}"
