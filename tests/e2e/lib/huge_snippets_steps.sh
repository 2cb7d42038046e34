#!/usr/bin/env bash
# The steps of huge_snippets.sh, run inside the virtual screen (DISPLAY set, openbox running).
set -u
build=$1
. "$(dirname "$0")/common.sh"

# The sanitizer build is several times slower and its shadow memory makes the resident size mean
# nothing: it runs the same steps with a 3 MB blob and without the memory figure.
sanitized=0
grep -q '^SNIPWELL_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null && sanitized=1
blob_bytes=30000000
[ "$sanitized" -eq 1 ] && blob_bytes=3000000

work=$(make_work "$build")
trap end_work EXIT

# Slot 2: a log excerpt of 200 KB on one line; slot 3: a base64 blob; the others short.
log=$(for i in $(seq 1 2500); do printf '2026-12-07T13:55:%02d.%03d INFO worker-%d request done in %d ms; ' \
  $((i % 60)) $((i % 1000)) $((i % 7)) $((i * 37 % 900)); done | head -c 204800)
head -c $((blob_bytes * 3 / 4)) /dev/urandom | base64 -w0 > "$work/blob"
{
  printf 'short one\r\n%s\r\n' "$log"
  cat "$work/blob"
  printf '\r\nfour\r\nfive\r\nsix\r\nseven\r\n'
} > "$work/Config.txt"
file_bytes=$(stat -c %s "$work/Config.txt")

now() { date +%s%N; }
ms_since() { echo $((($(now) - $1) / 1000000)); }
# An error report is the program's message box.
reports() { visible_in_role MessageBox | wc -l; }

xdotool mousemove --sync 0 0
start=$(now)
(cd "$work" && exec ./snipwell) &
pid=$!
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear"; exit 1; }
echo "figure: start-up to the bar on screen: $(ms_since "$start") ms (file of $file_bytes bytes)"
read -r bx by < <(geometry "$bar")
lefts=(8 145 282 420 557 694 832)
hover_slot() { xdotool mousemove --sync $((bx + lefts[$1 - 1] + 20)) $((by + 14)); }

# Resting on the 200 KB slot: the tip shows (bounded), the program lives and copies the next slot.
hover_slot 2
sleep 1.5
check "resting on the 200 KB slot: still running" "yes" "$(running "$pid")"
check "resting on the 200 KB slot: no error report" "0" "$(reports)"
check "the 200 KB slot was copied whole" "$(printf '%s' "$log" | sha1sum)" "$(clipboard | sha1sum)"
hover_slot 4
sleep 0.2
check "the next slot is copied" "four" "$(clipboard)"

# The blob: from the move onto its slot until the clipboard is ours with it (its ownership time
# answers anew), and until xclip has read it back whole. Figures, not checks: a loaded machine
# stretches them (the benchmarks measure the program's own part beside a baseline).
expected=$(sha1sum < "$work/blob" | cut -d' ' -f1)
stamp() { timeout 5 xclip -o -selection clipboard -t TIMESTAMP 2>/dev/null | od -An -tx1 | tr -d ' \n'; }
before=$(stamp)
start=$(now)
hover_slot 3
for _ in $(seq 1 400); do
  [ "$(stamp)" != "$before" ] && break
done
owned_ms=$(ms_since "$start")
got=
for _ in $(seq 1 100); do
  got=$(timeout 10 xclip -o -selection clipboard 2>/dev/null | sha1sum | cut -d' ' -f1)
  [ "$got" == "$expected" ] && break
done
read_ms=$(ms_since "$start")
check "the blob is on the clipboard whole" "$expected" "$got"
echo "figure: hover to clipboard holding $blob_bytes bytes: $owned_ms ms; read back whole by xclip: $read_ms ms after the hover"
hover_slot 1
sleep 0.2
check "after the blob, the next slot is copied" "short one" "$(clipboard)"

# The editor open over the bar: every holder of the blob shares its bytes.
xdotool mousemove --sync $((bx + 744 + 30)) $((by + 30 + 12)) click 1
visible_role TForm2 >/dev/null || { echo "FAIL: the editor did not open"; exit 1; }
sleep 0.5
limit_kb=$(((3 * file_bytes + 20 * 1024 * 1024) / 1024))
# The peak, not what stays: opening must not hold a passing copy of the blob either. Shown a
# second time, the editor reads the file again beside what its fields hold.
peak_check() {
  local peak_kb
  peak_kb=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
  echo "figure: peak resident memory, editor $1: $((peak_kb / 1024)) MB (limit 3 x $((file_bytes / 1048576)) MB + 20 MB = $((limit_kb / 1024)) MB)"
  if [ "$sanitized" -eq 0 ]; then
    check "peak resident memory, editor $1, is under 3 x the file + 20 MB" "yes" \
      "$([ "$peak_kb" -lt "$limit_kb" ] && echo yes || echo "no: $peak_kb kB")"
  fi
}
peak_check "opened"
xdotool key Escape
sleep 0.3
xdotool mousemove --sync $((bx + 744 + 30)) $((by + 30 + 12)) click 1
visible_role TForm2 >/dev/null || { echo "FAIL: the editor did not open again"; exit 1; }
sleep 0.5
peak_check "opened again"
xdotool key Escape
sleep 0.3
check "no error report on the way" "0" "$(reports)"

# "Exit" still ends the program with exit code 0.
xdotool mousemove --sync $((bx + 973 + 20)) $((by + 2 + 12)) click 1
status=124
for _ in $(seq 1 200); do
  if ! kill -0 $pid 2>/dev/null; then wait $pid; status=$?; break; fi
  sleep 0.05
done
pid=
check "Exit ends with code 0" "0" "$status"

# Started from a folder deeper than the path limit: the load fails with its error report, and the
# bar runs all the same.
deep="$work"
cd "$work" || exit 1
name=$(printf 'd%.0s' $(seq 1 250))
for _ in $(seq 1 18); do mkdir "$name" && cd "$name" || exit 1; done
cp "$work/snipwell" ./snipwell
./snipwell &
pid=$!
box=$(visible_role MessageBox) || box=
check "deep folder: the load's error report shows" "yes" "$([ -n "$box" ] && echo yes || echo no)"
[ -n "$box" ] && xdotool windowactivate --sync "$box" key Return 2>/dev/null
bar=$(visible_role TForm1) || bar=
check "deep folder: the bar runs" "yes" "$([ -n "$bar" ] && [ "$(running "$pid")" == yes ] && echo yes || echo no)"
cd / && kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
pid=
rm -rf "${deep:?}/${name:?}"

finish
