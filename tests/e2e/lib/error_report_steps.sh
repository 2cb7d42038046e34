#!/usr/bin/env bash
# The steps of error_report.sh, run inside the virtual screen.
set -u
build=$1
. "$(dirname "$0")/common.sh"
work=$(make_work "$build")
trap end_work EXIT
printf '1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n' > "$work/Config.txt"
original=$(bytes_of "$work/Config.txt")

xdotool mousemove --sync 0 0
start_program
pid=$!
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear"; exit 1; }
read -r bx by < <(geometry "$bar")
xdotool mousemove --sync $((bx + 744 + 30)) $((by + 30 + 12)) click 1
editor=$(visible_role TForm2) || { echo "FAIL: the editor did not open"; exit 1; }
read -r ex ey < <(geometry "$editor")
check "window lists name every window Snipwell" '"Snipwell"' "$(listed_names)"

# Another copy is loading the file just now: OK fails with the sharing violation.
"$build/tests/e2e_hold_lock" "$work/Config.txt" >"$work/holder.out" &
holder=$!
pids+=("$holder")
for _ in $(seq 1 100); do [ -s "$work/holder.out" ] && break; sleep 0.05; done
check "the other copy holds the file" "locked" "$(cat "$work/holder.out")"
sleep 0.3
xdotool mousemove --sync $((ex + 266 + 37)) $((ey + 251 + 15)) click 1
report=$(visible_role MessageBox) || { echo "FAIL: no error report"; exit 1; }
sleep 0.3
read -r rx ry < <(geometry "$report")
read -r rw rh < <(xwininfo -id "$report" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
inside=$([ "$rx" -ge 0 ] && [ "$ry" -ge 0 ] && [ $((rx + rw)) -le 1280 ] && [ $((ry + rh)) -le 1024 ] && echo yes || echo no)
check "the report is wholly on screen" "yes" "$inside"
check "the report is centred on the editor" "$((ex + 753 / 2)) $((ey + 305 / 2))" \
  "$((rx + rw / 2)) $((ry + rh / 2))"
report_text=$(xprop -id "$report" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = //p')
check "the report's caption" '"Snipwell"' "$report_text"

# Its OK button, where the box draws it (centred, 12 pixels above the frame), closes it.
xdotool mousemove --sync $((rx + rw / 2)) $((ry + rh - 2 - 12 - 12)) click 1
for _ in $(seq 1 100); do [ -z "$(visible_in_role MessageBox)" ] && break; sleep 0.05; done
check "OK closes the report" "" "$(visible_in_role MessageBox)"
check "the editor stays open" "$editor" "$(visible_in_role TForm2)"
check "nothing was saved" "$original" "$(bytes_of "$work/Config.txt")"

# A second failed save: its report closes with Return as well.
sleep 0.3
xdotool mousemove --sync $((ex + 266 + 37)) $((ey + 251 + 15)) click 1
report=$(visible_role MessageBox) || { echo "FAIL: no second error report"; exit 1; }
sleep 0.3
xdotool key Return
for _ in $(seq 1 100); do [ -z "$(visible_in_role MessageBox)" ] && break; sleep 0.05; done
check "Return closes the report" "" "$(visible_in_role MessageBox)"
check "the editor stays open after Return" "$editor" "$(visible_in_role TForm2)"

# The file is free again: the same OK saves.
check "the other copy still holds the file" "yes" "$(kill -0 "$holder" 2>/dev/null && echo yes)"
kill "$holder"
wait "$holder" 2>/dev/null
sleep 0.3
xdotool mousemove --sync $((ex + 266 + 37)) $((ey + 251 + 15)) click 1
for _ in $(seq 1 100); do [ -z "$(visible_in_role TForm2)" ] && break; sleep 0.05; done
check "OK closes the editor once saved" "" "$(visible_in_role TForm2)"
kill "$pid"

finish
