#!/usr/bin/env bash
# The steps of package.sh on the virtual screen: the program unpacked from the package starts
# with the example snippets and no error report, and saves them as the user's own snippet file.
# Usage: package_steps.sh <unpacked package> <the example snippets>
set -u
root=$1
examples=$2
. "$(dirname "$0")/../e2e/lib/common.sh"

xdotool mousemove --sync 0 0
"$root/usr/bin/snipwell" &
pid=$!
trap 'kill "$pid" 2>/dev/null' EXIT
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear"; exit 1; }
check "no error report" "" "$(visible_in_role MessageBox)"
read -r bx by < <(geometry "$bar")
# The third slot holds the third example snippet.
xdotool mousemove --sync $((bx + 282 + 20)) $((by + 14))
expected=$(sed -n '3p' "$examples" | tr -d '\r')
for _ in $(seq 1 40); do [ "$(clipboard)" == "$expected" ] && break; sleep 0.05; done
check "the bar shows the example snippets" "$expected" "$(clipboard)"
check "the user's snippet file holds them" "yes" \
  "$(cmp -s "$examples" "$XDG_CONFIG_HOME/snipwell/Config.txt" && echo yes || echo no)"

finish
