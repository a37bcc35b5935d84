#!/usr/bin/env bash
# End-to-end check of the real program in a real X server: starts Xvfb and Roror with a throw-away
# home, clicks each of the eight sidebar items, takes a screenshot after each, then closes the
# window the way a window manager does and checks that the program ends cleanly.
# Usage: real_window.sh <roror> <close-window helper> <screenshot folder>
set -euo pipefail
roror=$1
closer=$2
shots=$3

fail() {
  echo "real window test: $*" >&2
  exit 1
}

for tool in Xvfb xdotool import xwininfo md5sum; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup installs it)"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/roror-window-XXXXXX")
xvfb_pid=
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display number of its own: Xvfb picks a free one and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1440x900x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not report its display"
export DISPLAY=":$(head -n1 "$work/display")"

# The program runs as a user with an empty home: nothing of the real one is read or written.
home="$work/home"
mkdir -p "$home" "$work/run"
chmod 700 "$work/run"
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
  XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=xcb
unset ROROR_UPDATE_FEED_URL QT_QUICK_BACKEND

"$roror" >"$work/roror.log" 2>&1 &
app_pid=$!

window=
for _ in $(seq 200); do
  kill -0 "$app_pid" 2>/dev/null || fail "the program ended before showing its window: $(cat "$work/roror.log")"
  window=$(xdotool search --onlyvisible --name '^Roror$' 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window appeared within 20 s"

geometry=$(xwininfo -id "$window")
width=$(sed -n 's/^ *Width: *//p' <<<"$geometry")
height=$(sed -n 's/^ *Height: *//p' <<<"$geometry")
[ "$width" -ge 980 ] && [ "$height" -ge 720 ] || fail "window is ${width}x${height}, smaller than 980x720"
echo "window $window is ${width}x${height}"

rm -rf "$shots"
mkdir -p "$shots"

# The Overview is the page shown at start and refreshes its live figures every 2 s: two
# screenshots a refresh apart must differ.
sleep 3
import -window "$window" "$shots/0-overview-a.png" || fail "no screenshot of the Overview"
sleep 2.5
import -window "$window" "$shots/0-overview-b.png" || fail "no second screenshot of the Overview"
[ "$(md5sum <"$shots/0-overview-a.png")" != "$(md5sum <"$shots/0-overview-b.png")" ] \
  || fail "the Overview showed the same picture across a refresh (see $shots)"
echo "the Overview's live figures change between refreshes"

# Sidebar items, from its layout: brand block 108 high, items 42 high 4 apart from there down,
# Settings 20 above the bottom edge. Overview last, as it is the page shown at start.
x=112
positions=()
for i in 1 2 3 4 5 6; do positions+=("$((108 + 46 * i + 21))"); done
positions+=("$((height - 20 - 21))" "$((108 + 21))")
names=(clean uninstall optimize analyze purge installer maintenance dashboard)
for i in "${!positions[@]}"; do
  xdotool mousemove --window "$window" "$x" "${positions[$i]}" click 1
  # The selection slides for 0.35 s.
  sleep 0.8
  kill -0 "$app_pid" 2>/dev/null || fail "the program ended after the click on ${names[$i]}: $(cat "$work/roror.log")"
  import -window "$window" "$shots/$((i + 1))-${names[$i]}.png" || fail "no screenshot after ${names[$i]}"
done

distinct=$(md5sum "$shots"/[1-8]-*.png | cut -d' ' -f1 | sort -u | wc -l)
[ "$distinct" -eq 8 ] || fail "only $distinct of the 8 screenshots differ (see $shots)"

"$closer" "$window" || fail "could not ask the window to close"
for _ in $(seq 100); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "the program is still running 10 s after its window was closed"
status=0
wait "$app_pid" || status=$?
app_pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status: $(cat "$work/roror.log")"
echo "real window test: 8 pages shown, window closed, exit status 0"
