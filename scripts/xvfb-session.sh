#!/usr/bin/env bash
# Runs the program in a real window on a virtual display: waits for the main window, saves a screenshot,
# asks the window to close (as its close box does) and answers the exit question with "はい".
# Exits with the program's own exit status.
#   scripts/xvfb-session.sh PROGRAM OPERATOR_CODE SCREENSHOT.png X_CLOSE_WINDOW_TOOL
set -euo pipefail
program=$1 operator=$2 shot=$3 closer=$4
title='センタ利用企業マスタ保守'

display_number=$((90 + RANDOM % 400))
while [[ -e /tmp/.X11-unix/X$display_number || -e /tmp/.X$display_number-lock ]]; do display_number=$((display_number + 1)); done
export DISPLAY=:$display_number
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
program_pid=
cleanup() {
  [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/mnt4820-xdg.XXXXXX)}
chmod 0700 "$XDG_RUNTIME_DIR"
QT_QPA_PLATFORM=xcb "$program" "$operator" &
program_pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --name "$title" | head -1) || {
  echo "the main window did not appear" >&2
  exit 1
}
sleep 1  # let the first paint finish
import -window root "$shot"

"$closer" "$window"
timeout 15 xdotool search --sync --onlyvisible --name "^MNT4820$" >/dev/null || {
  echo "the exit question did not appear" >&2
  exit 1
}
sleep 0.5
xdotool key --clearmodifiers alt+y
status=0
wait "$program_pid" || status=$?
program_pid=
exit "$status"
