#!/usr/bin/env bash
# The steps of desktop_placement.sh, run inside a virtual screen of 2560x1024 with openbox.
set -u
build=$1
. "$(dirname "$0")/common.sh"
work=$(make_work "$build")
trap end_work EXIT
printf 'one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\nseven\r\n' > "$work/Config.txt"

# Two monitors side by side, the right one primary.
monitors() {
  for m in $(xrandr --listmonitors | awk 'NR > 1 {print $2}' | tr -d '+*'); do
    xrandr --delmonitor "$m" >/dev/null 2>&1
  done
  xrandr --setmonitor "$1" 1280/340x1024/270+0+0 screen >/dev/null
  xrandr --setmonitor "$2" 1280/340x1024/270+1280+0 none >/dev/null
}
monitors L '*R'
check "xrandr made two monitors" "2" "$(xrandr --listmonitors | sed -n 's/^Monitors: //p')"

# The bar stands where it was put once the window manager has let it; waits for that.
bar_at() {
  for _ in $(seq 1 100); do
    [ "$(geometry "$bar")" == "$1" ] && break
    sleep 0.05
  done
  geometry "$bar"
}

xdotool mousemove --sync 0 0
start_program 2>"$work/first.err"
pid=$!
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear"; exit 1; }
check "on the primary monitor, the right one" "1411 968" "$(bar_at "1411 968")"

# A panel comes: the bar rises above it.
"$build/tests/e2e_strut_panel" 30 &
pids+=("$!")
check "above a panel that came while it ran" "1411 938" "$(bar_at "1411 938")"

# The editor opens centred on the bar's monitor, not across both.
read -r bx by < <(geometry "$bar")
xdotool mousemove --sync $((bx + 744 + 30)) $((by + 30 + 12)) click 1
editor=$(visible_role TForm2) || { echo "FAIL: the editor did not open"; exit 1; }
check "the editor on the bar's monitor" "$((1280 + 263)) 359" "$(geometry "$editor")"
xdotool key Escape
for _ in $(seq 1 100); do [ -z "$(visible_in_role TForm2)" ] && break; sleep 0.05; done

# The left monitor becomes primary: the bar goes there.
monitors '*L' R
check "on the new primary monitor" "131 938" "$(bar_at "131 938")"

# Another always-on-top window over the bar; a second start raises the bar over it and ends.
"$build/tests/e2e_strut_panel" --above 100 900 600 100 > "$work/cover.id" &
pids+=("$!")
for _ in $(seq 1 100); do [ -s "$work/cover.id" ] && break; sleep 0.05; done
cover=$(cat "$work/cover.id")
for _ in $(seq 1 100); do [ "$(stands_above "$cover" "$bar")" == yes ] && break; sleep 0.05; done
check "the other window covers the bar" "yes" "$(stands_above "$cover" "$bar")"
(cd / && exec "$work/snipwell" 2>"$work/second.err")
check "a second start ends with code 0" "0" "$?"
check "with one line on standard error" \
  "snipwell: already running on this display; its bar was raised" "$(cat "$work/second.err")"
for _ in $(seq 1 100); do [ "$(stands_above "$bar" "$cover")" == yes ] && break; sleep 0.05; done
check "the running bar was raised" "yes" "$(stands_above "$bar" "$cover")"
check "one bar" "1" "$(visible_in_role TForm1 | wc -l)"

# Second starts killed at any moment, from before they connect to after they asked.
for delay in 0 0.002 0.005 0.01 0.02 0.03 0.05 0.08 0.12 0.2; do
  "$work/snipwell" 2>/dev/null &
  second=$!
  sleep "$delay"
  kill -9 "$second" 2>/dev/null
  wait "$second" 2>/dev/null
done
check "the running bar lives on" "yes" "$(running "$pid")"
read -r bx by < <(geometry "$bar")
xdotool mousemove --sync $((bx + 282 + 20)) $((by + 14))
sleep 0.2
check "and copies on hover" "three" "$(clipboard)"
(cd / && exec "$work/snipwell" 2>"$work/second.err")
check "and is still the one a later start finds" "0 snipwell: already running on this display; its bar was raised" \
  "$? $(cat "$work/second.err")"
check "the first start wrote nothing on standard error" "" "$(cat "$work/first.err")"

# Exit ends it; the next start is the desktop's bar again.
xdotool mousemove --sync $((bx + 973 + 20)) $((by + 2 + 12)) click 1
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
(cd / && exec "$work/snipwell" 2>/dev/null) &
pids+=("$!")
check "after Exit a new start shows its bar" "yes" "$(visible_role TForm1 >/dev/null && echo yes || echo no)"

finish
