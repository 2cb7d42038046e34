#!/usr/bin/env bash
# End-to-end: losing the display (the X server kills the program's connection) ends the program
# at once with exit code 1 and one line naming the display; the snippet file is not written, even
# with edits open in the editor. Usage: display_loss.sh <build dir>
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
exec bash "$here/lib/with-xvfb.sh" --wm -- bash "$here/lib/display_loss_steps.sh" "$build"
