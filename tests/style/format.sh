#!/usr/bin/env bash
# Every C++ file of the project is formatted as .clang-format says. Lists the files that are not
# and fails; `clang-format -i` on them mends it.
#   format.sh <source root>
set -u
cd "${1:-$(dirname "$0")/../..}" || exit 2
formatter=$(command -v clang-format-14 || command -v clang-format) || {
  echo "clang-format is not installed (scripts/setup installs it)" >&2
  exit 1
}
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
existing=()
for f in "${files[@]}"; do [ -f "$f" ] && existing+=("$f"); done
# One call for the whole tree; each complaint starts with the file's name.
mapfile -t bad < <(printf '%s\0' "${existing[@]}" |
  xargs -0 -n 64 "$formatter" --dry-run 2>&1 | sed -n -E 's/^([^:]+):[0-9]+:[0-9]+: (warning|error):.*/\1/p' |
  sort -u)
if [ ${#bad[@]} -gt 0 ]; then
  printf 'not formatted: %s\n' "${bad[@]}"
  exit 1
fi
