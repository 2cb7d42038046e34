#!/usr/bin/env bash
# End-to-end: the program as installed for a user. The command line's answers (without a
# display), the example snippets copied to the user's own file on the first start, --config, the
# skin kept in the settings file, and skin folders exported by snipwell-export-skin. Every file
# lives in scratch folders. Usage: user_files.sh <build dir>
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
exec bash "$here/lib/with-xvfb.sh" --wm -- bash "$here/lib/user_files_steps.sh" "$build"
