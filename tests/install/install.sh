#!/usr/bin/env bash
# The installation: `cmake --install` into a prefix of its own puts the program, its starter
# snippet file, the desktop entry (naming the installed program by its full path) and the icon in
# place, and installing again keeps the user's snippets. Usage: install.sh <build dir>
set -u
build=$(cd "$1" && pwd)
. "$(dirname "$0")/../e2e/lib/common.sh"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
check "the program" "yes" "$([ -x "$prefix/bin/snipwell" ] && echo yes || echo no)"
check "the starter snippets beside it" "7" "$(grep -c $'\r$' "$prefix/bin/Config.txt")"
check "the icon, with transparency" "PNG 48x48 True" \
  "$(identify -format '%m %wx%h %A' "$prefix/share/icons/hicolor/48x48/apps/snipwell.png")"
entry="$prefix/share/applications/snipwell.desktop"
check "the entry starts the installed program" "Exec=$prefix/bin/snipwell" "$(grep '^Exec=' "$entry")"
check "the entry names the icon" "Icon=snipwell" "$(grep '^Icon=' "$entry")"

printf 'mine\r\n' > "$prefix/bin/Config.txt"
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install again"; exit 1; }
check "installing again keeps the user's snippets" "mine" "$(tr -d '\r' < "$prefix/bin/Config.txt")"

finish
