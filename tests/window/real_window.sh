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

tools="import md5sum compare convert truncate"
. "$(dirname "$0")/session.sh"

# The folder Storage Analysis starts in, with something to find: folders of files of known sizes.
for folder in Caches Mail Containers Logs; do
  mkdir -p "$home/Library/$folder/sub"
  for i in 1 2 3 4 5 6; do truncate -s "$((i * 3))M" "$home/Library/$folder/sub/item-$i.bin"; done
done
truncate -s 90M "$home/Library/Mail/archive.mbox"
# What Smart Clean finds in it: caches and logs to clean, default-protected caches, a link out of the
# home (removed as a link; its target stays) and a document no clean looks at.
for f in Library/Caches/com.example.one/blob Library/Caches/com.example.one/deep/blob Library/Caches/example.db \
  Library/Caches/JetBrains/index Library/Logs/example.log Documents/notes.txt; do
  mkdir -p "$home/$(dirname "$f")"
  head -c 6000 /dev/zero >"$home/$f"
done
mkdir -p "$work/outside"
head -c 6000 /dev/zero >"$work/outside/precious"
ln -s "$work/outside" "$home/Library/Caches/link-out"
launch_roror "$roror"
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
previous=$shots/0-overview-b.png
for i in "${!positions[@]}"; do
  xdotool mousemove --window "$window" "$x" "${positions[$i]}" click 1
  # The selection slides for 0.35 s; a page shown for the first time is read and built then, which
  # a slow build or a loaded machine can stretch, so the shot is taken again until it moved on.
  sleep 0.8
  shot=$shots/$((i + 1))-${names[$i]}.png
  for _ in $(seq 40); do
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended after the click on ${names[$i]}: $(cat "$work/roror.log")"
    import -window "$window" "$shot" || fail "no screenshot after ${names[$i]}"
    [ "$(md5sum <"$shot")" != "$(md5sum <"$previous")" ] && break
    sleep 0.25
  done
  previous=$shot
done

distinct=$(md5sum "$shots"/[1-8]-*.png | cut -d' ' -f1 | sort -u | wc -l)
[ "$distinct" -eq 8 ] || fail "only $distinct of the 8 screenshots differ (see $shots)"

# Storage Analysis of the fake home's Library: after Analyze, the result tables fill the lower part
# of the page, which before showed nothing but the backdrop.
xdotool mousemove --window "$window" "$x" "$((108 + 46 * 4 + 21))" click 1
sleep 0.8
import -window "$window" "$work/analyze-before.png" || fail "no screenshot of the Storage Analysis page"
# The Analyze button: left of Advanced (about 105 wide), 16 apart, at the header row's height; the
# page column is 34 from the sidebar (224 wide) and at most 980 wide, its header padded by 20.
column=$(( width - 224 - 68 )); [ "$column" -gt 980 ] && column=980
analyze_x=$(( 224 + 34 + column - 20 - 105 - 16 - 46 ))
xdotool mousemove --window "$window" "$analyze_x" 158 click 1
region="$((column - 40))x$((height - 480))+$((224 + 34 + 20))+460"
changed=0
for _ in $(seq 40); do
  sleep 0.25
  kill -0 "$app_pid" 2>/dev/null || fail "the program ended during the storage analysis: $(cat "$work/roror.log")"
  import -window "$window" "$work/analyze-after.png" || continue
  changed=$(compare -metric AE -fuzz 8% -extract "$region" "$work/analyze-before.png" "$work/analyze-after.png" null: 2>&1 || true)
  changed=${changed%% *}
  [ "${changed%.*}" -gt 4000 ] 2>/dev/null && break
done
cp "$work/analyze-before.png" "$shots/9-analyze-before.png"
cp "$work/analyze-after.png" "$shots/10-analyze-rows.png"
[ "${changed%.*}" -gt 4000 ] 2>/dev/null || fail "no analysis rows appeared below the header (only $changed pixels changed; see $shots)"
echo "storage analysis: the result rows are shown ($changed pixels changed below the header)"

# Smart Clean: preview, then Start Cleaning and Continue in the confirmation; then on disk exactly the
# cleanable items are gone. The header's buttons sit at its right end, left of the protection-list
# button (26 wide) 16 apart; the page column is 34 from the sidebar (224 wide), at most 980 wide,
# and its header is padded by 20.
column=$(( width - 224 - 68 )); [ "$column" -gt 980 ] && column=980
header_right=$(( 224 + 34 + column - 20 ))
header_region="$(( column - 40 ))x40+$(( 224 + 34 + 20 ))+138"
xdotool mousemove --window "$window" "$x" "$((108 + 46 * 1 + 21))" click 1
sleep 0.8
import -window "$window" "$work/clean-before.png" || fail "no screenshot of the Smart Clean page"
xdotool mousemove --window "$window" "$(( header_right - 26 - 16 - 46 ))" 158 click 1
# The report is in when the header offers Start Cleaning.
changed=0
for _ in $(seq 40); do
  sleep 0.25
  kill -0 "$app_pid" 2>/dev/null || fail "the program ended during the clean preview: $(cat "$work/roror.log")"
  import -window "$window" "$work/clean-preview.png" || continue
  changed=$(compare -metric AE -fuzz 8% -extract "$header_region" "$work/clean-before.png" "$work/clean-preview.png" null: 2>&1 || true)
  changed=${changed%% *}
  [ "${changed%.*}" -gt 200 ] 2>/dev/null && break
done
cp "$work/clean-preview.png" "$shots/11-clean-preview.png"
[ "${changed%.*}" -gt 200 ] 2>/dev/null || fail "the Smart Clean preview did not offer Start Cleaning (see $shots)"
[ -e "$home/Library/Caches/example.db" ] || fail "the preview removed something"
xdotool mousemove --window "$window" "$(( header_right - 26 - 16 - 66 ))" 158 click 1
sleep 0.6
import -window "$window" "$work/clean-confirm.png" || fail "no screenshot of the confirmation"
cp "$work/clean-confirm.png" "$shots/12-clean-confirmation.png"
[ -e "$home/Library/Caches/example.db" ] || fail "Start Cleaning removed something before the confirmation"
accept_confirmation
for _ in $(seq 40); do
  [ -e "$home/Library/Caches/example.db" ] || break
  sleep 0.25
done
sleep 0.5
import -window "$window" "$shots/13-clean-done.png" || true
for gone in Library/Caches/com.example.one Library/Caches/example.db Library/Caches/link-out Library/Logs/example.log; do
  [ -e "$home/$gone" ] || [ -L "$home/$gone" ] && fail "Smart Clean left $gone (see $shots)"
done
for kept in Library/Caches Library/Logs Library/Caches/JetBrains/index Documents/notes.txt; do
  [ -e "$home/$kept" ] || fail "Smart Clean removed $kept"
done
[ -f "$work/outside/precious" ] || fail "Smart Clean followed the link out of the home"
echo "smart clean: previewed, confirmed and cleaned; protected, linked-to and other files untouched"

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
