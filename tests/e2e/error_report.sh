#!/usr/bin/env bash
# End-to-end: the error report of a failed save stands over the editor, wholly on screen, and its
# OK button closes it; the editor stays open and saves once the file is free. Usage:
# error_report.sh <build dir>
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
exec bash "$here/lib/with-xvfb.sh" --wm -- bash "$here/lib/error_report_steps.sh" "$build"
