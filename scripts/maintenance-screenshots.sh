#!/usr/bin/env bash
# Screenshots of the main window in a real window on a virtual display, on the demo database: the listing at
# start (MNT4820-listing.png), the add state with a center checked and a partner code typed
# (MNT4820-add.png) and the save question (MNT4820-save-question.png). The question is answered "いいえ", so
# nothing is stored, and the program is left with Esc and "はい".
#   scripts/maintenance-screenshots.sh BUILD_DIR OUT_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd) out=$2
mkdir -p "$out"
out=$(cd "$out" && pwd)

run=$(mktemp -d /tmp/mnt4820-maintenance-run.XXXXXX)
"$root/scripts/layout-run-folder.sh" "$run" "$build/mnt4820" >/dev/null
export ODBCSYSINI="$run/odbc" ODBCINI="$run/odbc/odbc.ini"
# shellcheck source=scripts/xvfb-lib.sh
source "$root/scripts/xvfb-lib.sh"
xvfb_start
trap 'xvfb_stop; rm -rf "$run"' EXIT

"$run/EDI/MNT4820/mnt4820" 0001 &
program_pid=$!
window=$(xvfb_wait_window 'センタ利用企業マスタ保守' 30) || { echo "the main window did not appear" >&2; exit 1; }
sleep 1
import -window "$window" "$out/MNT4820-listing.png"

xdotool key --clearmodifiers alt+a
sleep 0.3
xdotool type --delay 50 c004
xdotool key Return
sleep 0.3
xdotool type --delay 50 shot01
sleep 0.5
import -window "$window" "$out/MNT4820-add.png"

xdotool key Return
xvfb_wait_window '^MNT4820$' 15 >/dev/null || { echo "the save question did not appear" >&2; exit 1; }
sleep 1
# The question stands over the window: the screen cut to the window's place.
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/MNT4820-save-question.png"
xvfb_answer "この内容で更新しますか" alt+n

xdotool key Escape
xvfb_answer "終了してもよろしいですか" alt+y
wait "$program_pid"
program_pid=
echo "screenshots: $out/MNT4820-listing.png $out/MNT4820-add.png $out/MNT4820-save-question.png"
