#!/usr/bin/env bash
# The steps of snippet_bar_startup.sh, run inside the virtual screen.
set -u
build=$1
. "$(dirname "$0")/common.sh"
work=$(make_work "$build")
trap end_work EXIT

# 1. No snippet file: the error report first, then the bar in its place.
xdotool mousemove --sync 0 0
start_program
pid=$!
report=$(visible_role MessageBox) || { echo "FAIL: no error report"; exit 1; }
check "no bar before the report is closed" "" "$(visible_in_role TForm1)"
# The report has the keyboard: Enter closes it.
sleep 0.3
xdotool key Return
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear after the report"; exit 1; }
read -r bx by < <(geometry "$bar")
check "bar at the bottom centre all the same" "131 968" "$bx $by"
xdotool mousemove --sync $((bx + 282 + 20)) $((by + 14))
sleep 0.2
check "sample text on hover" "Sample Text 3" "$(clipboard)"
check "no file was written" "no" "$([ -e "$work/Config.txt" ] && echo yes || echo no)"
xdotool mousemove --sync $((bx + 973 + 20)) $((by + 2 + 12)) click 1
wait_gone "$pid"
check "Exit ends the program" "no" "$(running "$pid")"

# 1b. The report closed by a Return whose release never comes (sent to the report's window
# alone): the desktop goes on repeating the key, and a click on the bar's background gives the
# bar the keyboard. The repeats are no Return typed there: the program stays.
start_program
pid=$!
report=$(visible_role MessageBox) || { echo "FAIL: no error report"; exit 1; }
sleep 0.3
xdotool key --window "$report" Return 2>/dev/null
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear after the report"; exit 1; }
read -r bx by < <(geometry "$bar")
xdotool mousemove --sync $((bx + 3)) $((by + 45)) click 1
sleep 0.5
check "a click on the background after a held Return leaves the program running" "yes" \
  "$(running "$pid")"
kill "$pid" 2>/dev/null
xdotool keyup Return

# 2. A docked panel 30 pixels high at the bottom: the bar sits right above it.
printf '1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n' > "$work/Config.txt"
"$build/tests/e2e_strut_panel" 30 &
pids+=($!)
for _ in $(seq 1 100); do
  xprop -root _NET_WORKAREA | grep -q ', 994' && break
  sleep 0.05
done
start_program
pid=$!
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear"; exit 1; }
read -r bx by < <(geometry "$bar")
check "bar above a 30-pixel panel" "131 938" "$bx $by"
kill "$pid" 2>/dev/null

finish
