#!/usr/bin/env bash
# Shared by the end-to-end steps: checks that count, and finding the program's windows.
failures=0
passed=0

# check <description> <expected> <actual>
check() {
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failures=$((failures + 1))
    printf 'FAIL: %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  fi
}

# The closing line, and the exit status: 0 when every check passed.
finish() {
  echo "$passed passed, $failures failed"
  [ "$failures" -eq 0 ]
}

# The visible window of the program with that name, waiting up to 5 s for it.
visible_named() {
  for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --classname snipwell 2>/dev/null | while read -r w; do
      [ "$(xdotool getwindowname "$w")" == "$1" ] && echo "$w"; done | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}

# The absolute x and y of a window.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'
}

clipboard() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }
