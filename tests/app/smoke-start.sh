#!/usr/bin/env bash
# Starts the program as ./run.sh builds it, the way a user meets it: on an X server of its own, in
# a HOME of its own. Waits for the main window, closes it with its close button and checks that
# the program ends. Fails when the window does not show within 20 s, or when the program still
# runs 2 s after the click or ends with an error.
#
#   tests/app/smoke-start.sh <executable>
set -euo pipefail
exe=$(realpath "${1:?usage: $0 <executable>}")
title="ZR35 Mouse Software"
# The home page's close button, 20 x 20 at 980, 10 in the frameless window.
close_x=990
close_y=20

work=$(mktemp -d)
server=
program=
finish() {
  for pid in $program $server; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT

fail() {
  echo "smoke start: $*" >&2
  if [ -s "$work/stderr" ]; then
    echo "--- the program's standard error:" >&2
    tail -n 40 "$work/stderr" >&2
  fi
  exit 1
}

# Seconds since the epoch with milliseconds, as a whole number of milliseconds.
now_ms() { date +%s%3N; }

# -displayfd: the server takes a display number no other server holds and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
server=$!
deadline=$(($(now_ms) + 15000))
until [ -s "$work/display" ]; do
  kill -0 "$server" 2>/dev/null || fail "Xvfb did not start"
  [ "$(now_ms)" -lt "$deadline" ] || fail "Xvfb did not report its display number"
  sleep 0.05
done
export DISPLAY=":$(head -n 1 "$work/display")"

mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
env -u WAYLAND_DISPLAY HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
  XDG_DATA_HOME="$work/home/.local/share" XDG_STATE_HOME="$work/home/.local/state" \
  XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
  "$exe" >"$work/stdout" 2>"$work/stderr" &
program=$!

deadline=$(($(now_ms) + 20000))
window=
while [ -z "$window" ]; do
  kill -0 "$program" 2>/dev/null || fail "the program ended before its window showed"
  [ "$(now_ms)" -lt "$deadline" ] || fail "no main window within 20 s"
  window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1) || true
  [ -n "$window" ] || sleep 0.1
done

eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --sync $((X + close_x)) $((Y + close_y)) click 1 ||
  fail "xdotool could not click the close button"
closed=$(now_ms)
while kill -0 "$program" 2>/dev/null; do
  [ $(($(now_ms) - closed)) -le 2000 ] || fail "the program still runs 2 s after its window closed"
  sleep 0.02
done
took=$(($(now_ms) - closed))
status=0
wait "$program" || status=$?
program=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "smoke start: the window showed, and the program ended $took ms after its close button"
