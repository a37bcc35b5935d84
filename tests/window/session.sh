# Shared start-up of the end-to-end window checks, sourced by each of them: a work folder removed at
# exit, an Xvfb display of its own, a throw-away home, and the program started on them.
# The sourcing script defines fail() first and sets the tools it needs in `tools`.

for tool in Xvfb xdotool xwininfo ${tools:-}; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup installs it)"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/roror-window-XXXXXX")
xvfb_pid=
app_pid=
session_cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap session_cleanup EXIT

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
unset ROROR_UPDATE_FEED_URL QT_QUICK_BACKEND QT_QPA_PLATFORMTHEME

# libxkbcommon-x11 reads its keymap names with strndup over buffers that end without a NUL, which
# AddressSanitizer's strict string checks take for an overflow.
if [ -n "${ASAN_OPTIONS:-}" ]; then
  export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi

# Runs the command that starts the program (its log in $work/roror.log) and waits for its window:
# sets app_pid, window, width and height.
launch_roror() {
  "$@" >"$work/roror.log" 2>&1 &
  app_pid=$!
  window=
  for _ in $(seq 200); do
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended before showing its window: $(cat "$work/roror.log")"
    window=$(xdotool search --onlyvisible --name '^Roror$' 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "no window appeared within 20 s"
  local geometry
  geometry=$(xwininfo -id "$window")
  width=$(sed -n 's/^ *Width: *//p' <<<"$geometry")
  height=$(sed -n 's/^ *Height: *//p' <<<"$geometry")
}

click() {
  xdotool mousemove --window "$window" "$1" "$2" click 1
  sleep "${3:-0.8}"
}

# Presses the accepting button of the confirmation shown now: a light card in the window's middle
# over the dimmed window, its accepting button the right one of two (30 high), 20 above its lower edge.
accept_confirmation() {
  local accept_x=$((width / 2 + 60)) card_bottom
  import -window "$window" "$work/confirm.png" || fail "no screenshot of the confirmation"
  card_bottom=$(convert "$work/confirm.png" -crop "1x${height}+${accept_x}+0" -colorspace gray txt:- \
    | awk -F'[,:]' 'NR > 1 { split($3, v, "[()]"); if (v[2] + 0 >= 245) last = $2 } END { print last + 0 }')
  [ "$card_bottom" -gt $((height / 2)) ] || fail "no confirmation card found"
  click "$accept_x" $((card_bottom - 35)) "${1:-0.2}"
}
