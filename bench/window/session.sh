# Shared by the window benchmarks: a private Xvfb display and a throw-away home, both removed on exit.

bench_work=$(mktemp -d "${TMPDIR:-/tmp}/roror-bench-XXXXXX")
bench_xvfb_pid=
bench_pids=()
bench_cleanup() {
  for pid in "${bench_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -n "$bench_xvfb_pid" ] && kill "$bench_xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$bench_work"
}
trap bench_cleanup EXIT

start_display() {
  Xvfb -displayfd 3 -screen 0 1440x900x24 -nolisten tcp -noreset 3>"$bench_work/display" 2>/dev/null &
  bench_xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$bench_work/display" ] && break
    sleep 0.1
  done
  [ -s "$bench_work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$bench_work/display")"
  mkdir -p "$bench_work/home" "$bench_work/run"
  chmod 700 "$bench_work/run"
  export HOME="$bench_work/home" XDG_CONFIG_HOME="$bench_work/home/.config" \
    XDG_DATA_HOME="$bench_work/home/.local/share" XDG_CACHE_HOME="$bench_work/home/.cache" \
    XDG_RUNTIME_DIR="$bench_work/run" QT_QPA_PLATFORM=xcb
  unset ROROR_UPDATE_FEED_URL
}

# Waits until a window named $1 is visible; prints its id.
wait_window() {
  local id=
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "no window named $1 appeared" >&2
  return 1
}

# User + system CPU time of a process in clock ticks.
cpu_ticks() {
  awk '{ print $14 + $15 }' "/proc/$1/stat"
}

rss_kb() {
  awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
