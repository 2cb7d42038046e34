#!/usr/bin/env bash
# clang-tidy with the checked-in .clang-tidy over every source file of src (and the headers of src
# they include), two files at a time; any finding fails, and is printed with its check's name.
#   tidy.sh <source root> <build folder with compile_commands.json> <clang-tidy>
# Run in the optimised configuration only: the findings do not depend on the configuration, and
# one run over the tree costs a few minutes of both cores.
# The compile commands are GCC's: with warnings as errors (CI) clang would refuse GCC-only options
# such as -Wno-restrict, and would fail on its own compiler warnings, which are not what this test
# checks. -Wno-error, given last, leaves only clang-tidy's findings and real compile errors.
set -u
root=$1
build=$2
tidy=$3
cd "$root" || exit 2
[ -f "$build/compile_commands.json" ] || { echo "no $build/compile_commands.json" >&2; exit 2; }
start=$(date +%s)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
git ls-files -co --exclude-standard -- 'src/*.cpp' |
  xargs -P2 -n4 "$tidy" -p "$build" --quiet --warnings-as-errors='*' --extra-arg=-Wno-error >"$log" 2>&1
status=$?
grep -v -e ' warnings\? generated\.$' -e '^Suppressed ' -e '^Use -header-filter' "$log"
echo "clang-tidy over src: $(($(date +%s) - start)) s"
[ "$status" -eq 0 ]
