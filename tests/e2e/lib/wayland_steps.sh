#!/usr/bin/env bash
# The steps shared by the Wayland compositor tests (wayland_kwin.sh, wayland_sway.sh), sourced by
# them once their compositor runs with XWayland. They set beforehand:
#   build                   the build folder (with the test tools e2e_wayland_*)
#   work                    a folder the program's user may read, for the program and its file
#   userdir                 a folder the user may write
#   as_user                 runs a command as the user the compositor runs as, with its session
#   pointer_to X Y          puts the pointer at screen X, Y (xdotool, plus what the compositor needs)
#   native_state            (optional) prints "focused" while the native window has the keyboard
# A native Wayland program has the keyboard throughout (foot would do, but dies on KWin's virtual
# output, which reports no physical size); the clipboard is read back with wl-paste (the Wayland
# side) and xclip (the X side) after each hover.
# shellcheck source=common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
: "${build:?}" "${work:?}" "${userdir:?}"

wl_clipboard() { as_user timeout 5 wl-paste --no-newline 2>/dev/null; }
x_clipboard() { as_user timeout 5 xclip -o -selection clipboard 2>/dev/null; }

# Waits up to 10 s until the command prints the expected text, then prints what it printed last.
# A hover's copy reaches the other side a little later than the move: wait for it, never sleep.
settle() {
  local expected=$1 actual=
  shift
  for _ in $(seq 1 200); do
    actual=$("$@")
    [ "$actual" == "$expected" ] && break
    sleep 0.05
  done
  printf '%s' "$actual"
}

# The program's CPU time so far, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# The seven snippets: slot 6 holds 3 MB, the others texts the X and Wayland sides must keep intact.
blob_bytes=3000000
head -c $((blob_bytes * 3 / 4)) /dev/urandom | base64 -w0 > "$work/blob"
{
  printf 'first\r\nsecond line\r\n\r\nGr\xc3\xbc\xc3\x9fe \xe2\x80\x94 \xe2\x9c\x93\r\nfive\r\n'
  cat "$work/blob"
  printf '\r\nseven\r\n'
} > "$work/Config.txt"
cp "$build/src/snipwell" "$work/"
chmod -R a+rX "$work"

# The user works in a native Wayland program, which has the keyboard when the bar appears.
cp "$build/tests/e2e_wayland_window" "$work/"
as_user "$work/e2e_wayland_window" "$userdir/native.state" >"$work/native.log" 2>&1 &
# shellcheck disable=SC2034  # the sourcing script stops it when it ends
native_pid=$!
# Whether it has the keyboard, as it tells (a compositor without a keyboard device tells it instead).
declare -F native_state >/dev/null || native_state() { cat "$userdir/native.state" 2>/dev/null; }
[ "$(settle focused native_state)" == focused ] ||
  { echo "FAIL: the native Wayland window did not get the keyboard: $(cat "$work/native.log")"; exit 1; }

# A home of its own: nothing of the user's (settings, skin folders) changes what the test sees.
as_user env HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" "$work/snipwell" &
pid=$!
bar=$(as_user bash -c ". '$(dirname "${BASH_SOURCE[0]}")/common.sh'; visible_role TForm1") ||
  { echo "FAIL: the bar did not appear"; exit 1; }
read -r bx by < <(as_user bash -c ". '$(dirname "${BASH_SOURCE[0]}")/common.sh'; geometry $bar")
check "the bar stands at the bottom centre" "131 968" "$bx $by"
check "the bar appeared without taking the keyboard" "focused" "$(native_state)"

lefts=(8 145 282 420 557 694 832)
expected=("first" "second line" "" "Grüße — ✓" "five" "" "seven")
for k in 0 1 2 3 4 6; do
  pointer_to $((bx + lefts[k] + 20)) $((by + 14))
  check "hover slot $((k + 1)): Wayland reads it" "${expected[k]}" "$(settle "${expected[k]}" wl_clipboard)"
  check "hover slot $((k + 1)): X reads it" "${expected[k]}" "$(settle "${expected[k]}" x_clipboard)"
done

# 3 MB: read whole on the Wayland side while the program goes on serving (a figure, not a check:
# a loaded machine stretches it).
blob_sum=$(sha1sum < "$work/blob" | cut -d' ' -f1)
blob_read() { wl_clipboard | sha1sum | cut -d' ' -f1; }
pointer_to $((bx + lefts[5] + 20)) $((by + 14))
check "hover the 3 MB slot: Wayland reads it whole" "$blob_sum" "$(settle "$blob_sum" blob_read)"
start=$(date +%s%N)
read_sum=$(blob_read)
echo "figure: wl-paste reading the 3 MB text: $((($(date +%s%N) - start) / 1000000)) ms"
check "the 3 MB text read again" "$blob_sum" "$read_sum"
# A reader that goes away after the first bytes costs the program nothing.
as_user timeout 5 wl-paste --no-newline 2>/dev/null | head -c 1000 > /dev/null
check "a reader leaving mid-transfer: the program runs on" "yes" \
  "$(running "$pid")"
pointer_to $((bx + lefts[0] + 20)) $((by + 14))
check "after the 3 MB text, hovering copies again" "first" "$(settle first wl_clipboard)"
check "hovering never took the keyboard" "focused" "$(native_state)"

# An X program without the keyboard takes the X clipboard: neither compositor carries that over
# to Wayland, and the seat's selection stays the program's, served on.
printf 'from X' | as_user timeout 5 xclip -selection clipboard -quiet >/dev/null 2>&1 &
xclip_pid=$!
check "an X program took the X clipboard" "from X" "$(settle "from X" x_clipboard)"
check "after the X clipboard was taken: Wayland reads the program's text" "first" "$(wl_clipboard)"
kill "$xclip_pid" 2>/dev/null

# A Wayland program takes the clipboard: the program lets it be, and the next hover copies again.
as_user wl-copy 'from Wayland'
check "a Wayland program took the clipboard" "from Wayland" "$(settle "from Wayland" wl_clipboard)"
pointer_to $((bx + lefts[1] + 20)) $((by + 14))
check "the next hover copies again" "second line" "$(settle "second line" wl_clipboard)"
check "the next hover: X reads it too" "second line" "$(settle "second line" x_clipboard)"

# Idle, the program sleeps: the compositor's connection in its wait costs no CPU time.
before=$(cpu_ticks "$pid")
sleep 1
after=$(cpu_ticks "$pid")
check "idle for a second: under 5 ticks of CPU" "yes" "$([ $((after - before)) -lt 5 ] && echo yes || echo "no: $((after - before))")"

# "Exit" ends the program with exit code 0 (the compositor's connection closed on the way).
pointer_to $((bx + 973 + 20)) $((by + 2 + 12))
as_user xdotool click 1
status=124
for _ in $(seq 1 200); do
  if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; status=$?; break; fi
  sleep 0.05
done
check "Exit ends with code 0" "0" "$status"
