#!/usr/bin/env bash
# The layers of src use only the layers below them, and only the platform layer sees the system's
# libraries. Within the platform and the framework, the folders stand in an order of their own and
# each uses only its own level and those below. Prints every include that breaks a rule and fails
# when there is one.
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

# The folders of the platform and of the framework, bottom first; folders named together share a
# level. The platform's own files are its ground, but for Backend.h: the seam the window system
# drives and the backends implement, it stands with windows/.
platform_levels=("platform/" "platform/drawing/" "platform/text/" "platform/images/ platform/files/"
                 "platform/windows/ platform/Backend.h"
                 "platform/x11/ platform/wayland/ platform/headless/")
framework_levels=("framework/classes/" "framework/graphics/" "framework/controls/" "framework/forms/")

# The level of a path within its layer's list (the longest prefix that matches), or -1.
level_of() {
  local path=$1 best=-1 length=0 i prefix
  shift
  local -a levels=("$@")
  for i in "${!levels[@]}"; do
    for prefix in ${levels[$i]}; do
      if [[ $path == "$prefix"* && ${#prefix} -gt $length ]]; then
        best=$i
        length=${#prefix}
      fi
    done
  done
  echo "$best"
}

# Fails (and says so) when the file includes a header of a higher level of its layer.
check_order() {
  local file=$1 header=$2 mine theirs
  local -a levels
  case $file in
    platform/*) levels=("${platform_levels[@]}") ;;
    framework/*) levels=("${framework_levels[@]}") ;;
    *) return 0 ;;
  esac
  [[ ${header%%/*} == "${file%%/*}" ]] || return 0
  mine=$(level_of "$file" "${levels[@]}")
  theirs=$(level_of "$header" "${levels[@]}")
  [ "$theirs" -le "$mine" ] && return 0
  echo "$file: includes $header, of a folder above its own"
  return 1
}

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
      check_order "$file" "$header" || status=1
    elif [[ $layer != platform && $header =~ ^($system_headers) ]]; then
      echo "$file: only the platform layer may include $header"
      status=1
    fi
  done < <(grep -rn --include='*.h' --include='*.cpp' -E '^#include' "$layer")
done
exit $status
