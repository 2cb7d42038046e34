#!/usr/bin/env bash
# End-to-end: the bar on a virtual X screen with a Wayland compositor beside it (sway, headless,
# without XWayland) that goes away and comes back while the bar runs. Hovers reach Wayland
# programs again once it is back, and the program waits without using the processor meanwhile.
# Skips (exit 77) with the reason when sway or wl-paste is missing or cannot start.
# Usage: wayland_reconnect.sh <build dir>
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
exec bash "$here/lib/with-xvfb.sh" --wm -- bash "$here/lib/wayland_reconnect_steps.sh" "$build"
