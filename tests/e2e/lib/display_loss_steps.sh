#!/usr/bin/env bash
# The steps of display_loss.sh, run inside the virtual screen.
set -u
build=$1
. "$(dirname "$0")/common.sh"
work=$(make_work "$build")
trap end_work EXIT
printf '1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n' > "$work/Config.txt"
original=$(bytes_of "$work/Config.txt")

xdotool mousemove --sync 0 0
start_program 2>"$work/stderr"
pid=$!
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear"; exit 1; }
read -r bx by < <(geometry "$bar")
xdotool mousemove --sync $((bx + 744 + 30)) $((by + 30 + 12)) click 1
visible_role TForm2 >/dev/null || { echo "FAIL: the editor did not open"; exit 1; }
sleep 0.3
xdotool type --delay 20 "unsaved edit"

xkill -id "$bar" >/dev/null
status=124
for _ in $(seq 1 100); do
  if ! kill -0 $pid 2>/dev/null; then wait $pid; status=$?; break; fi
  sleep 0.05
done
check "ends with exit code 1" "1" "$status"
check "one line naming the display" "snipwell: lost the connection to the X display $DISPLAY" \
  "$(cat "$work/stderr")"
check "nothing written to Config.txt" "$original" "$(bytes_of "$work/Config.txt")"

finish
