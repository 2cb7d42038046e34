#!/usr/bin/env bash
# The steps of snippet_bar.sh, run inside the virtual screen (DISPLAY set, openbox running).
set -u
build=$1
. "$(dirname "$0")/common.sh"

work=$(make_work "$build")
trap end_work EXIT
printf 'first\r\nsecond line\r\n\r\nGr\xc3\xbc\xc3\x9fe \xe2\x80\x94 \xe2\x9c\x93\r\nfive\r\nsix\r\nseven\r\n' > "$work/Config.txt"
original=$(bytes_of "$work/Config.txt")


xdotool mousemove --sync 0 0
# Started from another working directory: the file beside the executable is the one read.
start_program
pid=$!
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear"; exit 1; }
read -r bx by < <(geometry "$bar")
check "bar position (work area 1280x1024)" "131 968" "$bx $by"
check "the bar shows the program's icon" "1" "$(xprop -id "$bar" _NET_WM_ICON | grep -c 'Icon (48 x 48)')"

# Hovering each slot puts its line on the clipboard, byte for byte.
lefts=(8 145 282 420 557 694 832)
expected=("first" "second line" "" "Grüße — ✓" "five" "six" "seven")
for k in 0 1 2 3 4 5 6; do
  xdotool mousemove --sync $((bx + lefts[k] + 20)) $((by + 14))
  sleep 0.2
  check "hover slot $((k + 1))" "${expected[k]}" "$(clipboard)"
done

# Unticking leaves an empty text; moving over the slots then changes nothing.
xdotool mousemove --sync $((bx + 827)) $((by + 44)) click 1
sleep 0.3
check "unticked: empty clipboard" "" "$(clipboard)"
xdotool mousemove --sync $((bx + 8 + 20)) $((by + 14))
sleep 0.2
check "unticked: hover copies nothing" "" "$(clipboard)"
# Ticking again: the next move copies.
xdotool mousemove --sync $((bx + 827)) $((by + 44)) click 1
xdotool mousemove --sync $((bx + 145 + 20)) $((by + 14))
sleep 0.2
check "ticked again: hover copies" "second line" "$(clipboard)"

# Resting on a slot shows its tip in the skin's look (mostly the HINT colour #F4F9FF)
# just above the bar, so neither the slot nor the labels under it are covered.
xdotool mousemove --sync $((bx + 145 + 30)) $((by + 14))
xdotool mousemove --sync $((bx + 145 + 31)) $((by + 14))
tip=$(visible_role THintWindow) || { echo "FAIL: no tip"; exit 1; }
sleep 0.2
read -r tx ty < <(geometry "$tip")
read -r tw th < <(xwininfo -id "$tip" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
check "the tip ends where the bar begins" "$by" "$((ty + th))"
face=$(import -window root -crop "${tw}x${th}+${tx}+${ty}" png:- | convert - -format %c histogram:info:- |
  sort -n | tail -n 1 | grep -o '#[0-9A-F]\{6\}')
check "the tip's face is the skin's" "#F4F9FF" "$face"
xdotool mousemove --sync $((bx + 600)) $((by - 200))

# The editor: typed into, cancelled with Esc (nothing saved), then saved with OK.
open_editor() {
  xdotool mousemove --sync $((bx + 744 + 30)) $((by + 30 + 12)) click 1
  visible_role TForm2
}
editor=$(open_editor) || { echo "FAIL: the editor did not open"; exit 1; }
read -r ex ey < <(geometry "$editor")
check "editor centred on the desktop" "263 359" "$ex $ey"
sleep 0.3
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "cancelled"
xdotool key Escape
sleep 0.3
check "Esc saves nothing" "$original" "$(bytes_of "$work/Config.txt")"

editor=$(open_editor) || { echo "FAIL: the editor did not open again"; exit 1; }
sleep 0.3
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "new first"
xdotool key Down Down
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "third"
xdotool mousemove --sync $((ex + 266 + 37)) $((ey + 251 + 15)) click 1
sleep 0.5
saved=$(bytes_of "$work/Config.txt")
want=$(printf 'new first\r\nsecond line\r\nthird\r\nGr\xc3\xbc\xc3\x9fe \xe2\x80\x94 \xe2\x9c\x93\r\nfive\r\nsix\r\nseven\r\n' | od -An -tx1 | tr -d ' \n')
check "OK saves seven CR LF lines" "$want" "$saved"
xdotool mousemove --sync $((bx + 8 + 20)) $((by + 14))
sleep 0.2
check "the bar has the saved text" "new first" "$(clipboard)"

# "Exit" ends the program with exit code 0.
xdotool mousemove --sync $((bx + 973 + 20)) $((by + 2 + 12)) click 1
status=124
for _ in $(seq 1 100); do
  if ! kill -0 $pid 2>/dev/null; then wait $pid; status=$?; break; fi
  sleep 0.05
done
check "Exit ends with code 0" "0" "$status"

finish
