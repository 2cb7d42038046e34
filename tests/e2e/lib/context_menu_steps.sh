#!/usr/bin/env bash
# The steps of context_menu.sh, run inside the virtual screen (DISPLAY set, openbox running).
set -u
build=$1
. "$(dirname "$0")/common.sh"

work=$(make_work "$build")
trap end_work EXIT
# The user's folders are scratch ones: the skin chosen is kept there.
scratch_user_folders
printf 'one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\nseven\r\n' > "$work/Config.txt"

# waits up to 10 s for a command to succeed
wait_for() {
  for _ in $(seq 1 200); do "$@" && return 0; sleep 0.05; done
  return 1
}
menu_gone() { [ -z "$(visible_in_role '#32768')" ]; }
focused() { xdotool getwindowfocus 2>/dev/null; }
# The bar's mean colour as "red green blue", the pointer away from it.
bar_colour() {
  xdotool mousemove --sync 0 0
  sleep 0.1
  import -window root -crop "1019x56+$bx+$by" -resize 1x1\! \
    -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}
# whether two colours differ by at most 2 in every channel
near() {
  read -r r1 g1 b1 <<< "$1"
  read -r r2 g2 b2 <<< "$2"
  for d in $((r1 - r2)) $((g1 - g2)) $((b1 - b2)); do [ "${d#-}" -le 2 ] || return 1; done
}

# The window the user types in, with the keyboard.
xmessage -name typing "typing here" &
pids+=("$!")
editor_window=$(xdotool search --sync --onlyvisible --name '^typing$' | head -n 1)
xdotool windowactivate --sync "$editor_window" 2>/dev/null || xdotool windowfocus --sync "$editor_window"

"$work/snipwell" &
pid=$!
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear"; exit 1; }
read -r bx by < <(geometry "$bar")
check "the keyboard is with the user's window" "$editor_window" "$(focused)"

# A right-click on the bar's face (beside the check box) opens the menu at the pointer.
open_menu() {
  xdotool mousemove --sync $((bx + 960)) $((by + 44)) click 3
  visible_role '#32768'
}
menu=$(open_menu) || { echo "FAIL: the menu did not open"; exit 1; }
check "a pop-up menu window" "1" "$(xprop -id "$menu" _NET_WM_WINDOW_TYPE | grep -c POPUP_MENU)"
check "not managed by the window manager" "1" \
  "$(xwininfo -id "$menu" | grep -c 'Override Redirect State: yes')"
read -r mx my < <(geometry "$menu")
check "opened above the pointer, at its left" "$((bx + 960)) $((by + 44))" \
  "$mx $((my + $(xwininfo -id "$menu" | awk '/Height:/ {print $2}')))"
check "the keyboard stays with the user's window" "$editor_window" "$(focused)"

# Escape closes it; the keyboard is the user's window's again and the bar copies on hover.
xdotool key Escape
wait_for menu_gone || check "Escape closes the menu" "closed" "open"
check "focus given back" "$editor_window" "$(focused)"
xdotool mousemove --sync $((bx + 145 + 20)) $((by + 14))
wait_for test "$(clipboard)" == "two" || check "hover after the menu" "two" "$(clipboard)"

# BluePlastic, the third item, chosen with the mouse, repaints the bar at once; BlueIce back
# gives the very same pixels again.
choose_item() {  # index of a skin, from the top
  menu=$(open_menu) || return 1
  read -r mx my < <(geometry "$menu")
  xdotool mousemove --sync $((mx + 30)) $((my + 3 + 20 * $1 + 10)) click 1
  wait_for menu_gone
}
blueice=$(bar_colour)
choose_item 2 || check "choosing BluePlastic" "done" "failed"
blueplastic=$(bar_colour)
near "$blueplastic" "$blueice" && changed=no || changed=yes
check "BluePlastic repaints the bar ($blueice before, $blueplastic after)" "yes" "$changed"
choose_item 1 || check "choosing BlueIce" "done" "failed"
again=$(bar_colour)
near "$again" "$blueice" && same=yes || same=no
check "BlueIce again: the bar's colours as they were ($blueice, now $again)" "yes" "$same"
check "the keyboard never left the user's window" "$editor_window" "$(focused)"

# "Exit", the last item, chosen with the keys, ends the program.
open_menu >/dev/null || { echo "FAIL: the menu did not open again"; exit 1; }
xdotool key End Return
ended() { ! kill -0 "$pid" 2>/dev/null; }
wait_for ended || check "Exit ends the program" "ended" "running"
wait "$pid"
check "exit code" "0" "$?"
pid=
finish
