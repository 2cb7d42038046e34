#!/usr/bin/env bash
# Runs a command on a virtual screen of its own:
#   with-xvfb.sh [--wm] [--size WxH] -- command args...
# Starts Xvfb on a free display (1280x1024x24 unless --size), waits until it answers, optionally
# starts openbox and waits until it maps windows, runs the command with DISPLAY set, and
# stops everything it started, whatever the command's outcome. Exits with the command's status.
# The command gets a home of its own (HOME, XDG_CONFIG_HOME, XDG_DATA_HOME in a scratch folder),
# so that nothing it starts reads or writes the user's files: no snippet file, settings or skin
# folder of the user's changes what a test sees.
set -u

wm=0
size=1280x1024
while [ $# -gt 0 ]; do
  case "$1" in
    --wm) wm=1; shift ;;
    --size) size=$2; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done

pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[$i]}" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  [ -n "${fdfile:-}" ] && rm -f "$fdfile"
  [ -n "${scratch_home:-}" ] && rm -rf "$scratch_home"
}
trap cleanup EXIT

scratch_home=$(mktemp -d)
export HOME="$scratch_home" XDG_CONFIG_HOME="$scratch_home/config" XDG_DATA_HOME="$scratch_home/data"

# Xvfb picks a free display number itself and writes it to the file descriptor we give it.
fdfile=$(mktemp)
exec 9>"$fdfile"
Xvfb -displayfd 9 -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
pids+=($!)
exec 9>&-
for _ in $(seq 1 100); do
  [ -s "$fdfile" ] && break
  sleep 0.05
done
number=$(head -n 1 "$fdfile")
if [ -z "$number" ]; then
  echo "with-xvfb: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$number"
for _ in $(seq 1 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.05
done

if [ "$wm" = 1 ]; then
  openbox --sm-disable >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
  done
  # openbox claims the screen before it is ready to manage windows, and a window mapped in between
  # is sometimes never managed: it stays unmapped for good. Show probe windows until openbox maps
  # one, and wait until it has let that one go, so that the command's first window is managed.
  probe_id=
  for _ in $(seq 1 30); do
    xmessage -name with-xvfb-probe -timeout 120 probe >/dev/null 2>&1 &
    probe=$!
    probe_id=$(timeout 2 xdotool search --sync --onlyvisible --classname with-xvfb-probe 2>/dev/null |
      head -n 1)
    # A probe that has already ended could not show itself: the next one would not either.
    kill "$probe" 2>/dev/null || probe_id=${probe_id:-none}
    wait "$probe" 2>/dev/null
    [ -n "$probe_id" ] && break
  done
  if [ -z "$probe_id" ] || [ "$probe_id" = none ]; then
    # The command's own waits then tell whether its windows are managed.
    echo "with-xvfb: openbox mapped none of its probe windows; going on without" >&2
  else
    probe_hex=$(printf '0x%x' "$probe_id")
    for _ in $(seq 1 100); do
      xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q -w "$probe_hex" || break
      sleep 0.05
    done
  fi
fi

"$@"
exit $?
