#!/usr/bin/env bash
# Every shell script of the project (scripts/ and tests/) through shellcheck, following the files
# they source; any warning fails.
#   usage: shellcheck.sh <source root>
set -u
cd "${1:-$(dirname "$0")/../..}" || exit 2
command -v shellcheck >/dev/null || { echo "shellcheck is not installed (scripts/setup installs it)" >&2; exit 1; }
mapfile -t scripts < <(git ls-files -co --exclude-standard -- 'scripts/*' 'tests/*.sh' |
  while read -r f; do [ -f "$f" ] && head -n 1 "$f" | grep -q '^#!.*\(bash\|sh\)' && echo "$f"; done)
shellcheck --external-sources --source-path=SCRIPTDIR --severity=warning "${scripts[@]}"
