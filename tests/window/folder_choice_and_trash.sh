#!/usr/bin/env bash
# End-to-end check of the real program under Xvfb with a throw-away home: the folder chooser of
# Storage Analysis gives the folder on screen when nothing is selected and the selected sub-folder
# otherwise; a row moved to the Trash leads to a new analysis of the folder, which no longer lists it.
# What the program did is read from its own log categories (QT_LOGGING_RULES).
# Usage: folder_choice_and_trash.sh <roror>
set -euo pipefail
roror=$1

fail() {
  echo "folder choice test: $*" >&2
  [ -n "${work:-}" ] && [ -f "$work/roror.log" ] && cat "$work/roror.log" >&2
  exit 1
}

tools="import convert"
. "$(dirname "$0")/session.sh"
export QT_LOGGING_RULES="roror.analysis.info=true"

# Storage Analysis starts in ~/Library; its first sub-folder in name order is "Application Support",
# the one Qt Quick's own folder dialog highlighted and returned.
mkdir -p "$home/Library/Application Support" "$home/Library/Caches" "$home/Documents"
head -c 300000 /dev/zero >"$home/Library/Caches/big.bin"
echo keep >"$home/Documents/important.txt"
launch_roror "$roror"
sleep 1

# Waits for a line of the program's log matching a pattern, at least `count` of them.
await_log() {
  local pattern=$1 count=${2:-1}
  for _ in $(seq 80); do
    [ "$(grep -c -- "$pattern" "$work/roror.log" || true)" -ge "$count" ] && return 0
    sleep 0.25
  done
  return 1
}

# The sidebar's Storage Analysis item; the header's Choose button at the right end of the path row
# (the page column ends 34 from the window's edge, its header padded by 20); the chooser is a
# 480 x 400 sheet in the window's middle with Choose at its lower right.
choose_x=$(( width - 95 ))
sheet_choose_x=$(( width / 2 + 175 ))
sheet_choose_y=$(( height / 2 + 169 ))
second_row_y=$(( height / 2 - 102 ))
click 112 $(( 108 + 46 * 4 + 21 ))

# Open at ~/Library and Choose at once: ~/Library itself, not its first sub-folder.
click "$choose_x" 214
click "$sheet_choose_x" "$sheet_choose_y"
await_log "folder chosen: $home/Library\$" || fail "Choose did not give the folder on screen"
grep -q "folder chosen: $home/Library/" "$work/roror.log" && fail "Choose gave a sub-folder nobody selected"

# Select the second sub-folder (Caches), then Choose: that sub-folder.
click "$choose_x" 214
click "$(( width / 2 ))" "$second_row_y" 0.4
click "$sheet_choose_x" "$sheet_choose_y"
await_log "folder chosen: $home/Library/Caches\$" || fail "Choose did not give the selected sub-folder"
echo "folder choice: the folder on screen, or the selected sub-folder"

# The chooser opens at Caches now; one step up (the sheet's upper left button) and Choose gives
# ~/Library. Analysed, its first row of the largest items is Caches (300 KB).
click "$choose_x" 214
click $(( width / 2 - 210 )) $(( height / 2 - 172 )) 0.4
click "$sheet_choose_x" "$sheet_choose_y"
await_log "folder chosen: $home/Library\$" 2 || fail "could not choose ~/Library again"
click $(( width - 222 )) 158 0.2
await_log "analysed $home/Library - 2 items" || fail "no analysis of ~/Library"
sleep 0.8
# The first row's Trash button, then the confirmation's Move to Trash.
click $(( width - 80 )) 466 0.6
accept_confirmation
for _ in $(seq 40); do
  [ -e "$home/Library/Caches" ] || break
  sleep 0.25
done
[ -e "$home/Library/Caches" ] && fail "the confirmed row was not moved to the Trash"
await_log "analysed $home/Library - 1 items, 0 files" \
  || fail "the folder was not analysed again after the move: the gone row and its bytes stay listed"
[ -f "$home/Documents/important.txt" ] || fail "something outside the chosen folder was moved"
echo "storage analysis: after the move the folder was analysed again without the moved item"

kill "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=
echo "folder choice test: passed"
