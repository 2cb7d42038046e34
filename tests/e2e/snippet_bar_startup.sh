#!/usr/bin/env bash
# End-to-end: how the bar starts. Without Config.txt: one error report "File not found.", then the
# bar at the bottom centre with the sample texts. With a docked panel: the bar ends at the work
# area's bottom. Usage: snippet_bar_startup.sh <build dir>
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
exec bash "$here/lib/with-xvfb.sh" --wm -- bash "$here/lib/snippet_bar_startup_steps.sh" "$build"
