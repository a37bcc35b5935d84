#!/usr/bin/env bash
# Resident memory of the program with the Overview's live refresh running: RSS after the first
# minute next to RSS at the end (10 minutes by default), and the growth between them.
# Usage: bench/dashboard_memory.sh [minutes=10] [program (default: the Overview window)]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/release"
[ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" --target dashboard_window -- --quiet
minutes=${1:-10}
program=${2:-$dir/bench/dashboard_window}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export QT_QUICK_BACKEND=${QT_QUICK_BACKEND:-software}

home=$(mktemp -d)
trap 'kill "$ours" 2>/dev/null || true; rm -rf "$home"' EXIT
HOME="$home" XDG_CONFIG_HOME="$home/.config" "$program" >/dev/null 2>&1 &
ours=$!

rss_kb() {
  kill -0 "$1" 2>/dev/null || { echo "the program ended before the measurement did" >&2; exit 1; }
  awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"
}
sleep 60
first=$(rss_kb "$ours")
for minute in $(seq 2 "$minutes"); do
  sleep 60
  echo "minute $minute: $(rss_kb "$ours") kB"
done
last=$(rss_kb "$ours")
awk -v a="$first" -v b="$last" -v m="$minutes" 'BEGIN {
  printf "RSS after 1 minute                 %8.1f MB\n", a / 1024
  printf "RSS after %2d minutes               %8.1f MB\n", m, b / 1024
  printf "growth                             %8.1f MB (limit 5 MB)\n", (b - a) / 1024
}'
