#!/usr/bin/env bash
# End-to-end: the bar's context menu on a virtual screen with a window manager. A right-click
# opens it without taking the keyboard from the window the user types in; Escape closes it; a
# skin chosen with the mouse repaints the bar at once; "Exit" chosen with the keys ends the
# program. Usage: context_menu.sh <build dir>
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
exec bash "$here/lib/with-xvfb.sh" --wm -- bash "$here/lib/context_menu_steps.sh" "$build"
