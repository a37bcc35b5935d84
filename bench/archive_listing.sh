#!/usr/bin/env bash
# Times the archive inspection of a large zip against "unzip -Z -1 | head -n 50" on the same file.
# Usage: bench/archive_listing.sh [build-dir] [members]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/bench/compare.sh"
build=${1:-$root/build/release}
members=${2:-50000}
bin="$build/bench/archive_listing"
[ -x "$bin" ] || { echo "build the archive_listing target first ($bin)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/content/docs"
(cd "$work/content/docs" && seq 1 "$members" | sed 's/^/page-/; s/$/.txt/' | xargs touch)
(cd "$work/content" && zip -q -r -0 "$work/large.zip" docs)
echo "archive: $members members, $(stat -c %s "$work/large.zip") bytes"

runs=20
list_head() { { /usr/bin/unzip -Z -1 "$work/large.zip" || true; } | head -n 50 >/dev/null; }
ref_us=$(reference_median_us "$runs" list_head)

out=$("$bin" "$work/large.zip" "$runs")
echo "$out"
print_comparison "roror zipHoldsInstaller" "unzip -Z -1 | head -n 50" "$out" "$ref_us" 2
