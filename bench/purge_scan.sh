#!/usr/bin/env bash
# Times the Project Cleanup scan against find + du on the same generated tree (warm cache).
# Needs git (scripts/setup installs it).
# Usage: bench/purge_scan.sh [build-dir] [projects] [packages-per-project]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/bench/compare.sh"
build=${1:-$root/build/release}
projects=${2:-24}
packages=${3:-200}
bin="$build/bench/purge_scan"
[ -x "$bin" ] || { echo "build the purge_scan target first ($bin)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree="$work/tree"
"$bin" --generate "$tree" "$projects" "$packages"
# Half the projects are git repositories, so the scan also pays for asking git.
n=0
for project in "$tree"/workspace/group*/project*; do
  if [ $((n % 2)) -eq 0 ]; then
    git -C "$project" init -q && git -C "$project" add -A
  fi
  n=$((n + 1))
done
total=$(find "$tree" -type f | wc -l)
echo "files in tree: $total"

pipeline() {
  find "$tree" -maxdepth 6 -type d \( -name node_modules -o -name target -o -name build -o -name dist \) -prune \
    -exec du -s --block-size=1 {} + >/dev/null
}

runs=5
pipeline # warm the cache
ref_us=$(reference_median_us "$runs" pipeline)

out=$("$bin" "$tree" "$runs")
echo "$out"
print_comparison "roror LocalPurgePreview::snapshot" "find | du pipeline" "$out" "$ref_us" 1
