#!/usr/bin/env bash
# Runs the program in a real window on a virtual display: waits for the main window, saves a screenshot,
# asks the window to close (as its close box does) and answers the exit question with "はい".
# Exits with the program's own exit status.
#   scripts/xvfb-session.sh PROGRAM OPERATOR_CODE SCREENSHOT.png X_CLOSE_WINDOW_TOOL
set -euo pipefail
program=$1 operator=$2 shot=$3 closer=$4
# shellcheck source=scripts/xvfb-lib.sh
source "$(dirname "$0")/xvfb-lib.sh"
xvfb_start

"$program" "$operator" &
program_pid=$!
window=$(xvfb_wait_window 'センタ利用企業マスタ保守' 30) || { echo "the main window did not appear" >&2; exit 1; }
sleep 1  # let the first paint finish
import -window root "$shot"

"$closer" "$window"
xvfb_wait_window '^MNT4820$' 15 >/dev/null || { echo "the exit question did not appear" >&2; exit 1; }
sleep 0.5
xdotool key --clearmodifiers alt+y
status=0
wait "$program_pid" || status=$?
program_pid=
exit "$status"
