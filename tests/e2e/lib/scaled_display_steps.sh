#!/usr/bin/env bash
# The steps of scaled_display.sh, run inside the virtual screen.
set -u
build=$1
. "$(dirname "$0")/common.sh"
work=$(make_work "$build")
trap end_work EXIT
scratch_user_folders
unset GDK_SCALE
for k in 1 2 3 4 5 6 7; do printf 'Snippet %d\r\n' "$k"; done > "$work/Config.txt"
echo 'Xft.dpi: 192' | xrdb -merge

size_of() { xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}'; }

# 1. Xft.dpi 192, and a --scale that cannot be used: scale 2, with one line about the option.
xdotool mousemove --sync 0 0
"$work/snipwell" --scale 5 2> "$work/stderr" &
pid=$!
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear"; exit 1; }
check "bar size at scale 2" "2038 112" "$(size_of "$bar")"
check "bar at the bottom centre" "901 2048" "$(geometry "$bar")"
read -r bx by < <(geometry "$bar")
# Slot 3 is at (282, 4) in the stored description.
xdotool mousemove --sync $((bx + 2 * 282 + 40)) $((by + 2 * 4 + 20))
check "hover copies slot 3" "Snippet 3" "$(clipboard_once "Snippet 3")"
xdotool mousemove --sync $((bx + 2 * 832 + 40)) $((by + 2 * 4 + 20))
check "hover copies slot 7" "Snippet 7" "$(clipboard_once "Snippet 7")"
kill "$pid"
wait "$pid" 2>/dev/null
pid=
check "one line about the option" \
  'snipwell: ignoring --scale "5": the scale must be 1, 2 or 3' "$(cat "$work/stderr")"

# 2. --scale 3 outweighs the desktop: 3057 x 168; "Exit" at its scaled place ends the program.
xdotool mousemove --sync 0 0
"$work/snipwell" --scale 3 &
pid=$!
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear at scale 3"; exit 1; }
check "bar size at scale 3" "3057 168" "$(size_of "$bar")"
check "bar at the bottom centre at scale 3" "392 1992" "$(geometry "$bar")"
read -r bx by < <(geometry "$bar")
xdotool mousemove --sync $((bx + 3 * 420 + 40)) $((by + 3 * 4 + 30))
check "hover copies slot 4 at scale 3" "Snippet 4" "$(clipboard_once "Snippet 4")"
# "Exit" is at (973, 2), 47 x 26.
xdotool mousemove --sync $((bx + 3 * 973 + 60)) $((by + 3 * 2 + 36)) click 1
wait_gone "$pid"
check "Exit ends the program" "no" "$(running "$pid")"
pid=

finish
