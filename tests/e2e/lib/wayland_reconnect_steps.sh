#!/usr/bin/env bash
# The steps of wayland_reconnect.sh, run inside the virtual screen (DISPLAY set, openbox running).
set -u
build=$1
. "$(dirname "$0")/common.sh"
skip() { echo "SKIP: $*"; exit 77; }

for tool in sway wl-paste; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup installs it)"
done
# Sway refuses to run as root: as root, it runs as the unprivileged user `nobody`.
as_run_user=()
if [ "$(id -u)" -eq 0 ]; then
  id -u nobody >/dev/null 2>&1 || skip "running as root and there is no user 'nobody' to run sway as"
  command -v runuser >/dev/null || skip "running as root without runuser to run sway as 'nobody'"
  as_run_user=(runuser -u nobody --)
fi

work=$(mktemp -d)
chmod 755 "$work"
mkdir -m 700 "$work/runtime"
[ ${#as_run_user[@]} -gt 0 ] && chown nobody "$work/runtime"
sway_pid=
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  # The compositor leads a process group of its own.
  [ -n "$sway_pid" ] && kill -- -"$sway_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
printf 'output HEADLESS-1 resolution 1280x1024\nxwayland disable\n' > "$work/sway.config"
chmod a+r "$work/sway.config"

socket() { find "$work/runtime" -maxdepth 1 -type s -name 'wayland-*' -printf '%f\n' | head -n 1; }
start_sway() {
  setsid bash -c 'exec "$@"' run_as_user "${as_run_user[@]}" \
    env -i PATH="$PATH" HOME="$work" XDG_RUNTIME_DIR="$work/runtime" WLR_BACKENDS=headless \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$work/sway.config" >> "$work/sway.log" 2>&1 &
  sway_pid=$!
  for _ in $(seq 1 200); do
    [ -n "$(socket)" ] && return 0
    kill -0 "$sway_pid" 2>/dev/null || return 1
    sleep 0.05
  done
  return 1
}
stop_sway() {
  kill -- -"$sway_pid" 2>/dev/null
  wait "$sway_pid" 2>/dev/null
  sway_pid=
  for _ in $(seq 1 100); do
    [ -z "$(socket)" ] && return 0
    sleep 0.05
  done
}
wl_clipboard() {
  "${as_run_user[@]}" env XDG_RUNTIME_DIR="$work/runtime" WAYLAND_DISPLAY="$name" \
    timeout 5 wl-paste --no-newline 2>/dev/null
}
# Waits up to $3 tenths of a second for a clipboard (read by $1) to hold $2; prints what it holds.
wait_for() {
  local got=
  for _ in $(seq 1 "$3"); do
    got=$($1)
    [ "$got" == "$2" ] && break
    sleep 0.1
  done
  echo "$got"
}
wl_wait_for() { wait_for wl_clipboard "$@"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }

start_sway || skip "sway did not start: $(grep -v '^$' "$work/sway.log" | tail -n 1)"
name=$(socket)

cp "$build/src/snipwell" "$work/"
printf 'one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\nseven\r\n' > "$work/Config.txt"
xdotool mousemove --sync 0 0
(cd "$work" && exec env XDG_RUNTIME_DIR="$work/runtime" WAYLAND_DISPLAY="$name" ./snipwell) &
pid=$!
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear"; exit 1; }
read -r bx by < <(geometry "$bar")
lefts=(8 145 282 420 557 694 832)
hover_slot() { xdotool mousemove --sync $((bx + lefts[$1 - 1] + 20)) $((by + 14)); }

hover_slot 1
check "a hover reaches Wayland programs" "one" "$(wl_wait_for one 30)"

# The compositor goes: the program lives on, and waits for it without spinning.
stop_sway
hover_slot 3
check "the X clipboard is served while the compositor is gone" "three" \
  "$(wait_for clipboard three 30)"
before=$(cpu_ticks)
sleep 2
check "no processor time while the compositor is gone (ticks in 2 s)" "yes" \
  "$([ $(($(cpu_ticks) - before)) -le 2 ] && echo yes || echo "no: $(($(cpu_ticks) - before))")"
check "the program still runs" "yes" "$(running "$pid")"

# It comes back under the same name: the program connects again (its tries are a second, then
# two, then four apart) and offers the last text; the next hover reaches Wayland programs.
start_sway || { echo "FAIL: sway did not start again"; exit 1; }
check "the compositor is back under the same name" "$name" "$(socket)"
check "the last text is offered again" "three" "$(wl_wait_for three 100)"
hover_slot 2
check "a hover reaches Wayland programs again" "two" "$(wl_wait_for two 30)"
finish
