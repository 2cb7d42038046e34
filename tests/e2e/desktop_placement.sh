#!/usr/bin/env bash
# End-to-end: the bar on a desktop of two monitors (xrandr --setmonitor), on the primary one, above
# a docked panel that comes while it runs, and on the other monitor once that becomes primary; the
# editor on the bar's monitor; a second start raises the running bar and ends, and killing second
# starts at any moment leaves the running one as it was. Usage: desktop_placement.sh <build dir>
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
exec bash "$here/lib/with-xvfb.sh" --wm --size 2560x1024 -- \
  bash "$here/lib/desktop_placement_steps.sh" "$build"
