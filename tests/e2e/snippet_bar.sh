#!/usr/bin/env bash
# End-to-end: the real snipwell on a virtual screen with a window manager, driven like a user would
# with xdotool, the clipboard read back with xclip. Usage: snippet_bar.sh <build dir>
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
exec bash "$here/lib/with-xvfb.sh" --wm -- bash "$here/lib/snippet_bar_steps.sh" "$build"
