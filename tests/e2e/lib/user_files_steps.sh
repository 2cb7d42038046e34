#!/usr/bin/env bash
# The steps of user_files.sh, run inside the virtual screen with a scratch home (with-xvfb.sh).
set -u
build=$1
. "$(dirname "$0")/common.sh"
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
# Installed into a prefix: the program in bin, the example snippets in share/snipwell.
mkdir -p "$work/prefix/bin" "$work/prefix/share/snipwell"
cp "$build/src/snipwell" "$work/prefix/bin/"
printf 'example one\r\nexample two\r\n' > "$work/prefix/share/snipwell/Config.txt"
program="$work/prefix/bin/snipwell"
export_skin="$build/tools/snipwell-export-skin"
user_file="$XDG_CONFIG_HOME/snipwell/Config.txt"
settings="$XDG_CONFIG_HOME/snipwell/snipwell.ini"

# run <args...>: the program without a display (so that it cannot open a window); sets out, err
# and status.
run() {
  out=$(env -u DISPLAY "$program" "$@" 2>"$work/err")
  status=$?
  err=$(cat "$work/err")
}

# The colour of a pixel of the screen, as #RRGGBB.
pixel_at() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -n 1
}

# 1. The command line answers without a window.
run --version
check "--version" "0 Snipwell 2.1" "$status $out"
run --help
check "--help ends well" "0" "$status"
check "--help lists every option" "5" "$(grep -cE '^  --(skin NAME|config FILE|list-skins|version|help) ' <<<"$out")"
run --colour blue
check "an unknown option: code 2" "2" "$status"
check "an unknown option: nothing on standard output" "" "$out"
check "an unknown option: the reason, then the usage" "snipwell: unknown option '--colour'|Usage: snipwell [OPTION]..." \
  "$(head -n 2 <<<"$err" | paste -sd '|')"
run --skin
check "a missing value: code 2" "2" "$status"
check "the stored skins, short names" "BlueGauze BlueIce BluePlastic" "$("$export_skin" --list | paste -sd ' ')"
"$export_skin" --help | grep -q '^Usage: snipwell-export-skin NAME FOLDER$'
check "the export tool's help" "0" "$?"
"$export_skin" BluePlastic "$XDG_DATA_HOME/snipwell/skins/Mine" >/dev/null
run --list-skins
check "--list-skins: stored skins, then the user's folder" "0 BlueGauze BlueIce BluePlastic Mine" \
  "$status $(paste -sd ' ' <<<"$out")"
check "nothing was written by the answers" "" "$(ls "$XDG_CONFIG_HOME" 2>/dev/null)"

# 2. The first start copies the installation's examples to the user's own file, without a report.
xdotool mousemove --sync 0 0
"$program" 2>"$work/start.err" &
pid=$!
pids+=("$pid")
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear"; exit 1; }
check "no error report" "" "$(visible_in_role MessageBox)"
read -r bx by < <(geometry "$bar")
xdotool mousemove --sync $((bx + 145 + 20)) $((by + 14))
sleep 0.2
check "the examples are shown" "example two" "$(clipboard)"
check "and kept in the user's file" "example one|example two" "$(tr -d '\r' < "$user_file" | paste -sd '|')"
check "no file beside the program" "no" "$([ -e "$work/prefix/bin/Config.txt" ] && echo yes || echo no)"
xdotool mousemove --sync 0 0
sleep 0.2
blueice=$(pixel_at $((bx + 600)) $((by + 45)))
kill "$pid"
wait "$pid" 2>/dev/null

# 3. --config names another file; the skin kept in the settings is drawn, an unknown one is
#    told on standard error once.
printf 'other\r\n' > "$work/other.txt"
printf '; mine\n[Skin]\nName = Nothing\n' > "$settings"
xdotool mousemove --sync 0 0
"$program" --config "$work/other.txt" 2>"$work/start.err" &
pid=$!
pids+=("$pid")
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear with --config"; exit 1; }
read -r bx by < <(geometry "$bar")
xdotool mousemove --sync $((bx + 8 + 20)) $((by + 14))
sleep 0.2
check "--config: its snippets" "other" "$(clipboard)"
check "an unknown skin in the settings: one line" \
  "snipwell: there is no skin named \"Nothing\"; drawing with BlueIce" "$(cat "$work/start.err")"
check "the settings file is not rewritten at start" "; mine|[Skin]|Name = Nothing" "$(paste -sd '|' "$settings")"
kill "$pid"
wait "$pid" 2>/dev/null

printf '[Skin]\nName=Mine\n' > "$settings"
"$program" 2>"$work/start.err" &
pid=$!
pids+=("$pid")
bar=$(visible_role TForm1) || { echo "FAIL: the bar did not appear with a folder skin"; exit 1; }
check "a folder skin from the settings starts without complaint" "" "$(cat "$work/start.err")"
read -r bx by < <(geometry "$bar")
sleep 0.3
mine=$(pixel_at $((bx + 600)) $((by + 45)))
check "the folder skin is drawn (BluePlastic's colour, not BlueIce's)" "yes" \
  "$([ -n "$mine" ] && [ -n "$blueice" ] && [ "$mine" != "$blueice" ] && echo yes || echo "no: $blueice $mine")"
kill "$pid"
wait "$pid" 2>/dev/null

finish
