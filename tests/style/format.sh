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
bad=()
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  "$formatter" --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  printf 'not formatted: %s\n' "${bad[@]}"
  exit 1
fi
