#!/usr/bin/env bash
# The steps of scripts/soak, run inside the virtual screen.
set -u
build=$1
. "$(dirname "$0")/../../tests/e2e/lib/common.sh"
work=$(mktemp -d)
trap 'kill $pid 2>/dev/null; rm -rf "$work"' EXIT
cp "$build/src/snipwell" "$work/"
texts=("soak one" "soak two" "soak three" "soak four" "soak five" "soak six" "soak seven")
printf '%s\r\n' "${texts[@]}" > "$work/Config.txt"
lefts=(8 145 282 420 557 694 832)

rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$pid/status"; }
alive() { kill -0 "$pid" 2>/dev/null; }

xdotool mousemove --sync 0 0
(cd / && exec "$work/snipwell") &
pid=$!
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear"; exit 1; }
read -r bx by < <(geometry "$bar")
start=$(date +%s)

# Phase 1: hovers, 50 to one xdotool call, each onto the next slot; the clipboard is read back
# after the 50th and must hold that slot's text.
hovers=0 hover_mismatches=0 hover_rss_warm=0
for ((batch = 0; batch < 400; batch++)); do
  args=()
  for ((i = 0; i < 50; i++)); do
    k=$(((batch * 50 + i) % 7))
    args+=(mousemove --sync $((bx + lefts[k] + 20 + i % 30)) $((by + 8 + i % 12)))
  done
  xdotool "${args[@]}"
  hovers=$((hovers + 50))
  sleep 0.05
  [ "$(clipboard)" == "${texts[k]}" ] || hover_mismatches=$((hover_mismatches + 1))
  alive || break
  [ "$batch" -eq 19 ] && hover_rss_warm=$(rss_kb)  # after 1,000 hovers
done
hover_rss_end=$(rss_kb)
hover_seconds=$(($(date +%s) - start))

# Phase 2: editor cycles; field 1 gets the cycle's number, the rest stay.
cycles=0 cycle_mismatches=0 cycle_rss_warm=0
start=$(date +%s)
for ((c = 1; c <= 200 && ${#hover_rss_end} > 0; c++)); do
  xdotool mousemove --sync $((bx + 744 + 30)) $((by + 30 + 12)) click 1
  editor=$(visible_role TForm2) || { echo "FAIL: cycle $c: the editor did not open"; break; }
  read -r ex ey < <(geometry "$editor")
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 5 "cycle $c"
  xdotool mousemove --sync $((ex + 266 + 37)) $((ey + 251 + 15)) click 1
  for _ in $(seq 1 100); do [ -z "$(visible_in_role TForm2)" ] && break; sleep 0.02; done
  want=$(printf 'cycle %s\r\n%s\r\n%s\r\n%s\r\n%s\r\n%s\r\n%s\r\n' "$c" "${texts[@]:1}" | od -An -tx1 | tr -d ' \n')
  [ "$(od -An -tx1 "$work/Config.txt" | tr -d ' \n')" == "$want" ] || cycle_mismatches=$((cycle_mismatches + 1))
  cycles=$c
  alive || break
  [ "$c" -eq 20 ] && cycle_rss_warm=$(rss_kb)
done
cycle_rss_end=$(rss_kb)
cycle_seconds=$(($(date +%s) - start))
intact=$([ "$(od -An -tx1 "$work/Config.txt" | tr -d ' \n')" == "${want:-}" ] && echo yes || echo no)
running=$(alive && echo yes || echo no)

printf '| figure | value |\n|---|---|\n'
printf '| hovers | %d in %d s |\n' "$hovers" "$hover_seconds"
printf '| clipboard read-backs that did not match | %d of %d |\n' "$hover_mismatches" $((hovers / 50))
printf '| resident memory, hovers: after 1,000 / at the end | %s kB / %s kB |\n' "$hover_rss_warm" "$hover_rss_end"
printf '| editor cycles | %d in %d s |\n' "$cycles" "$cycle_seconds"
printf '| saves that did not match | %d |\n' "$cycle_mismatches"
printf '| resident memory, cycles: after 20 / at the end | %s kB / %s kB |\n' "$cycle_rss_warm" "$cycle_rss_end"
printf '| Config.txt holds the last save whole | %s |\n' "$intact"
printf '| program still running | %s |\n' "$running"

ok=yes
[ "$running" == yes ] && [ "$intact" == yes ] || ok=no
[ "$hover_mismatches" -eq 0 ] && [ "$cycle_mismatches" -eq 0 ] && [ "$cycles" -eq 200 ] || ok=no
[ $((hover_rss_end - hover_rss_warm)) -lt 1024 ] && [ $((cycle_rss_end - cycle_rss_warm)) -lt 1024 ] || ok=no
echo "soak: $([ $ok == yes ] && echo passed || echo FAILED)"
[ $ok == yes ]
