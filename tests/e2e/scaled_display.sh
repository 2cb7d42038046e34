#!/usr/bin/env bash
# End-to-end: the bar on a 3840 x 2160 screen whose desktop asks for 192 dots per inch (Xft.dpi,
# loaded by xrdb) is drawn at scale 2, 2038 x 112 at the bottom centre, and copies on hover; with
# --scale 3 it is 3057 x 168 and its "Exit" ends it; an unusable --scale is said on standard error
# and the desktop's choice holds. Usage: scaled_display.sh <build dir>
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
exec bash "$here/lib/with-xvfb.sh" --wm --size 3840x2160 -- \
  bash "$here/lib/scaled_display_steps.sh" "$build"
