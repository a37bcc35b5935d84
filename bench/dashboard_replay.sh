#!/usr/bin/env bash
# CPU and frames of the Overview over a scripted sequence of snapshots (the same in every build),
# offscreen with the software scene graph, after 5 s of start-up.
# Usage: bench/dashboard_replay.sh [seconds=60]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/release"
[ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" --target dashboard_replay -- --quiet
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" \
  QT_QUICK_BACKEND="${QT_QUICK_BACKEND:-software}" "$dir/bench/dashboard_replay" "${1:-60}"
