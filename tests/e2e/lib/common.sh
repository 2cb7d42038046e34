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

# The steps' scratch folder, the program they run now, and every process they started: what
# end_work ends at exit. A script that sources this file may have set them already.
work=${work:-}
pid=${pid:-}
[ -n "${pids+set}" ] || pids=()

# make_work <build folder>: prints a new scratch folder holding a copy of the build's program; the
# steps keep it in $work and end with end_work at exit.
make_work() {
  local folder
  folder=$(mktemp -d) && cp "$1/src/snipwell" "$folder/" && echo "$folder"
}
end_work() {
  local p
  for p in ${pid:-} "${pids[@]}"; do kill "$p" 2>/dev/null; done
  [ -n "$work" ] && rm -rf "$work"
}

# User folders of the steps' own inside $work: what the program keeps there goes with it.
scratch_user_folders() {
  export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
}

# Starts the program from $work in another working directory (so that the file beside the
# executable is the one read), with the given arguments; noted in $pids, and its process id is
# $! after the call.
start_program() {
  (cd / && exec "$work/snipwell" "$@") &
  pids+=("$!")
}

# The bytes of a file in hex, to tell that it was left as it was.
bytes_of() { od -An -tx1 "$1" | tr -d ' \n'; }

# "yes" while the process runs, else "no".
running() { kill -0 "$1" 2>/dev/null && echo yes || echo no; }

# Waits up to 5 s for the process to end.
wait_gone() {
  for _ in $(seq 1 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.05; done
  return 1
}

# The closing line, and the exit status: 0 when every check passed.
finish() {
  echo "$passed passed, $failures failed"
  [ "$failures" -eq 0 ]
}

# Every window of the program is named "Snipwell"; the role tells them apart: TForm1 the bar,
# TForm2 the editor, MessageBox the error report.
role_of() { xprop -id "$1" WM_WINDOW_ROLE 2>/dev/null | sed -n 's/^WM_WINDOW_ROLE(STRING) = "\(.*\)"$/\1/p'; }

# The program's visible windows, now. xdotool walks the window tree and dies on an X error when a
# window goes while it walks (a closing report, the frame the window manager drops after it),
# printing nothing: walk again then, so that a closing window never hides the others.
visible_windows() {
  local out
  for _ in $(seq 1 20); do
    out=$(xdotool search --onlyvisible --classname snipwell 2>&1)
    case "$out" in *"X Error"*) continue ;; esac
    grep -E '^[0-9]+$' <<<"$out"
    return 0
  done
}

# The visible windows of the program in that role, now.
visible_in_role() {
  visible_windows | while read -r w; do
    [ "$(role_of "$w")" == "$1" ] && echo "$w"; done
}

# The visible window of the program in that role, waiting up to 20 s for it (a sanitizer build
# on a busy machine can take that long to start).
visible_role() {
  for _ in $(seq 1 400); do
    id=$(visible_in_role "$1" | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}

# The names that window lists (wmctrl -l, pagers) show for the program's managed windows.
listed_names() {
  xprop -root _NET_CLIENT_LIST | grep -o '0x[0-9a-f]*' | while read -r w; do
    xprop -id "$w" WM_CLASS 2>/dev/null | grep -q '"snipwell"' || continue
    xprop -id "$w" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = //p'
  done | sort -u
}

# The absolute x and y of a window.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'
}

clipboard() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }

# What the clipboard holds once it holds $1, or after 2 s.
clipboard_once() {
  for _ in $(seq 1 40); do [ "$(clipboard)" == "$1" ] && break; sleep 0.05; done
  clipboard
}

# The stacking order of managed windows, bottom first, as the window manager keeps it.
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*' | xargs -n1 printf '%d\n'; }

# Whether window $1 stands above window $2.
stands_above() {
  local a b
  a=$(stacking | grep -n "^$(($1))$" | cut -d: -f1)
  b=$(stacking | grep -n "^$(($2))$" | cut -d: -f1)
  [ -n "$a" ] && [ -n "$b" ] && [ "$a" -gt "$b" ] && echo yes || echo no
}
