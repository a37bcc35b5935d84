# Shared by the side-by-side scripts: time a reference command and print it next to our median.

# Median wall time in microseconds of `runs` runs of the given command.
reference_median_us() {
  local runs=$1; shift
  local times=() start end
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$@"
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p"
}

# Prints both medians and how many times faster ours is; `ours_output` holds our program's
# "median_ms=..." line.
print_comparison() {
  local ours_label=$1 ref_label=$2 ours_output=$3 ref_us=$4 decimals=$5
  local ours_ms
  ours_ms=$(echo "$ours_output" | sed -n 's/^median_ms=\([0-9.]*\).*/\1/p')
  awk -v ours="$ours_ms" -v ref="$ref_us" -v ol="$ours_label" -v rl="$ref_label" -v d="$decimals" 'BEGIN {
    refms = ref / 1000.0
    printf "%-34s median %8." d "f ms\n", ol, ours
    printf "%-34s median %8." d "f ms\n", rl, refms
    printf "ratio (pipeline / roror)           %8.2fx\n", refms / ours
  }'
}
