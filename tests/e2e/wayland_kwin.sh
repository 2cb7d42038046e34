#!/usr/bin/env bash
# End-to-end on KDE Plasma's compositor: kwin_wayland on a virtual output with XWayland, a native
# Wayland program holding the keyboard, the bar hovered with xdotool (XTEST reaches
# XWayland) and the clipboard read back with wl-paste and xclip. KWin hands the X clipboard to
# Wayland programs only while an X window has the keyboard, which the bar never takes: what
# Wayland programs read here comes from the program's own data-control selection.
# Skips (exit 77) with the reason when the compositor or a tool is missing or cannot start.
# Usage: wayland_kwin.sh <build dir>
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
skip() { echo "SKIP: $*"; exit 77; }

for tool in kwin_wayland Xwayland wl-paste wl-copy xdotool xclip xprop xwininfo; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup installs it)"
done
[ -x "$build/tests/e2e_wayland_window" ] ||
  skip "no native Wayland test window: the build found no Wayland client library or protocols"

work=$(mktemp -d)
chmod 755 "$work"
kwin_pid=
pid=
native_pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$native_pid" ] && kill "$native_pid" 2>/dev/null
  # The compositor leads a process group of its own: XWayland and its helpers go with it.
  [ -n "$kwin_pid" ] && kill -- -"$kwin_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The packaged binary carries a file capability (to raise its own limits) that a container may
# refuse to execute; a copy carries none and runs the same.
cp "$(command -v kwin_wayland)" "$work/kwin_wayland"
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
# KWin starts this once Wayland and XWayland are up, with DISPLAY naming XWayland.
cat > "$work/session.sh" <<SESSION
#!/bin/sh
echo "export DISPLAY=\$DISPLAY WAYLAND_DISPLAY=\$WAYLAND_DISPLAY" > "$work/session.tmp"
mv "$work/session.tmp" "$work/session.env"
SESSION
chmod 755 "$work/session.sh"
QT_QPA_PLATFORM=offscreen setsid "$work/kwin_wayland" --virtual --xwayland --socket "snipwell-test-$$" --width 1280 \
  --height 1024 "$work/session.sh" > "$work/kwin.log" 2>&1 &
kwin_pid=$!
for _ in $(seq 1 600); do
  [ -s "$work/session.env" ] && break
  kill -0 "$kwin_pid" 2>/dev/null || break
  sleep 0.05
done
[ -s "$work/session.env" ] ||
  skip "kwin_wayland did not start: $(grep -v '^$' "$work/kwin.log" | tail -n 1)"
# shellcheck source=/dev/null  # written by the session it started
. "$work/session.env"
# shellcheck disable=SC2034  # read by the sourced steps
userdir=$work

as_user() { "$@"; }
pointer_to() { xdotool mousemove --sync "$1" "$2"; }

# shellcheck source=lib/wayland_steps.sh
. "$here/lib/wayland_steps.sh"
finish
