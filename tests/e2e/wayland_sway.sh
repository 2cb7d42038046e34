#!/usr/bin/env bash
# End-to-end on sway (wlroots) with its headless backend and XWayland, configured with the lines the
# README gives: the bar stands at the bottom centre on every workspace and never takes the keyboard
# from the native Wayland program the user works in. The headless backend has no input
# devices, and XWayland delivers pointer motion only to the X window under the compositor's own
# pointer (xdotool's XTEST motion goes nowhere there): a virtual pointer (e2e_wayland_pointer)
# moves the compositor's pointer, and xdotool tells when X has followed. Sway refuses to run
# as root: as root, the compositor and the programs run as the unprivileged user `nobody`.
# Skips (exit 77) with the reason when the compositor or a tool is missing or cannot start.
# Usage: wayland_sway.sh <build dir>
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
skip() { echo "SKIP: $*"; exit 77; }

for tool in sway Xwayland wl-paste wl-copy swaymsg xdotool xclip xprop xwininfo; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup installs it)"
done
[ -x "$build/tests/e2e_wayland_pointer" ] && [ -x "$build/tests/e2e_wayland_window" ] ||
  skip "no Wayland test tools: the build found no Wayland client library or protocols"

user=
if [ "$(id -u)" -eq 0 ]; then
  id -u nobody >/dev/null 2>&1 || skip "running as root and there is no user 'nobody' to run sway as"
  command -v runuser >/dev/null || skip "running as root without runuser to run sway as 'nobody'"
  user=nobody
fi

work=$(mktemp -d)
chmod 755 "$work"
sway_pid=
pid=
native_pid=
pointer_pid=
cleanup() {
  exec 8>&- 2>/dev/null
  for p in "$pid" "$native_pid" "$pointer_pid"; do [ -n "$p" ] && kill "$p" 2>/dev/null; done
  # The compositor leads a process group of its own: XWayland and its helpers go with it.
  [ -n "$sway_pid" ] && kill -- -"$sway_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -m 700 "$work/runtime"
# What the compositor's session and the programs write goes where their user may write.
mkdir -m 755 "$work/user"
[ -n "$user" ] && chown "$user" "$work/runtime" "$work/user"
cp "$build/tests/e2e_wayland_pointer" "$work/"
cat > "$work/session.sh" <<SESSION
#!/bin/sh
echo "export DISPLAY=\$DISPLAY WAYLAND_DISPLAY=\$WAYLAND_DISPLAY SWAYSOCK=\$SWAYSOCK" > "$work/user/session.tmp"
mv "$work/user/session.tmp" "$work/user/session.env"
SESSION
# The output as the other tests' screens, XWayland, and the README's lines for the bar (sway
# gives the keyboard to whatever window the pointer enters unless focus_follows_mouse is off).
cat > "$work/sway.config" <<CONFIG
output HEADLESS-1 resolution 1280x1024
xwayland enable
for_window [class="Snipwell"] floating enable, sticky enable, border none, move position 131 968
no_focus [class="Snipwell"]
focus_follows_mouse no
for_window [class="Snipwell" window_type="dialog"] move position center, focus
exec $work/session.sh
CONFIG
chmod 755 "$work/session.sh"
chmod -R a+rX "$work/sway.config" "$work/e2e_wayland_pointer"

run_as() {
  if [ -n "$user" ]; then runuser -u "$user" -- "$@"; else "$@"; fi
}
as_run_user=()
[ -n "$user" ] && as_run_user=(runuser -u "$user" --)
setsid bash -c 'exec "$@"' run_as_user "${as_run_user[@]}" \
  env -i PATH="$PATH" HOME="$work" XDG_RUNTIME_DIR="$work/runtime" WLR_BACKENDS=headless \
  WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$work/sway.config" > "$work/sway.log" 2>&1 &
sway_pid=$!
for _ in $(seq 1 600); do
  [ -s "$work/user/session.env" ] && break
  kill -0 "$sway_pid" 2>/dev/null || break
  sleep 0.05
done
[ -s "$work/user/session.env" ] ||
  skip "sway did not start: $(grep -v '^$' "$work/sway.log" | tail -n 1)"
# shellcheck source=/dev/null  # written by the session it started
. "$work/user/session.env"
# shellcheck disable=SC2034  # read by the sourced steps
userdir=$work/user

as_user() {
  run_as env PATH="$PATH" HOME="$work" XDG_RUNTIME_DIR="$work/runtime" DISPLAY="$DISPLAY" \
    WAYLAND_DISPLAY="$WAYLAND_DISPLAY" SWAYSOCK="$SWAYSOCK" "$@"
}

mkfifo "$work/pointer.in"
chmod 666 "$work/pointer.in"
as_user "$work/e2e_wayland_pointer" 1280 1024 < "$work/pointer.in" > "$work/pointer.out" 2>&1 &
pointer_pid=$!
exec 8> "$work/pointer.in"
moves=0
pointer_to() {
  moves=$((moves + 1))
  echo "$1 $2" >&8
  for _ in $(seq 1 200); do
    [ "$(grep -c moved "$work/pointer.out")" -ge "$moves" ] && break
    sleep 0.05
  done
  # XWayland follows the compositor's pointer; xdotool reads where X has it.
  for _ in $(seq 1 200); do
    as_user xdotool getmouselocation 2>/dev/null | grep -q "^x:$1 y:$2 " && break
    sleep 0.05
  done
}
# The headless seat has no keyboard, so the native window is never told it has one: sway says
# which window has the seat's focus.
native_state() {
  local focus
  focus=$(as_user swaymsg -t get_seats | sed -n 's/^ *"focus": \([0-9]*\),*$/\1/p' | head -n 1)
  as_user swaymsg -t get_tree | awk -v id="$focus" '
    $0 ~ "^ *\"id\": " id "," { found = 1 }
    found && /"app_id"/ { print ($0 ~ /"e2e-native"/) ? "focused" : "unfocused"; exit }'
}

# shellcheck source=lib/wayland_steps.sh
. "$here/lib/wayland_steps.sh"

# The README's rules: the bar never took the keyboard, and it is on the next workspace too.
# shellcheck disable=SC2154  # the sourced steps found the bar
check "the bar never has the keyboard" "no" \
  "$([ "$(as_user xdotool getwindowfocus 2>/dev/null)" == "$bar" ] && echo yes || echo no)"
finish
