#!/usr/bin/env bash
# End-to-end: the real snipwell on a virtual screen with snippets far beyond what a user types (a
# 200 KB log line, a 30 MB blob), started once more from a folder deeper than the path limit.
# Prints the figures it measures. Usage: huge_snippets.sh <build dir>
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
exec bash "$here/lib/with-xvfb.sh" --wm -- bash "$here/lib/huge_snippets_steps.sh" "$build"
