#!/usr/bin/env bash
# The layers of src use only the layers below them, and only the platform layer sees the system's
# libraries. Prints every include that breaks the rule and fails when there is one.
#   layering.sh <source root>
set -u
root=${1:-$(dirname "$0")/../..}
cd "$root/src" || exit 2

# Each layer's folders and the include prefixes it may use besides its own.
declare -A allowed=(
  [platform]="platform/"
  [framework]="platform/ framework/"
  [skin/data]="platform/ framework/ skin/data/"
  [skin/paint]="platform/ framework/ skin/data/ skin/paint/"
  [skin/controls]="platform/ framework/ skin/data/ skin/paint/ skin/controls/"
  [skin/forms]="platform/ framework/ skin/data/ skin/paint/ skin/controls/ skin/forms/"
  [app]="platform/ framework/ skin/ app/"
)
system_headers='X11/|ft2build|freetype|fontconfig|jpeglib|png\.h|wayland|wlr-'

status=0
for layer in "${!allowed[@]}"; do
  [ -d "$layer" ] || continue
  while IFS= read -r line; do
    file=${line%%:*}
    [[ $line =~ \#include\ [\<\"]([^\>\"]+) ]] || continue
    header=${BASH_REMATCH[1]}
    if [[ $line == *'#include "'* ]]; then
      ok=0
      for prefix in ${allowed[$layer]}; do
        [[ $header == "$prefix"* ]] && ok=1
      done
      if [ $ok -eq 0 ]; then
        echo "$file: $layer includes $header"
        status=1
      fi
    elif [[ $layer != platform && $header =~ ^($system_headers) ]]; then
      echo "$file: only the platform layer may include $header"
      status=1
    fi
  done < <(grep -rn --include='*.h' --include='*.cpp' -E '^#include' "$layer")
done
exit $status
