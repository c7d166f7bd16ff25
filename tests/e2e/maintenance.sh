#!/usr/bin/env bash
# The real program on the demo database under Xvfb, driven by the keyboard alone: adds the pair C004/E2E01
# (Alt+A, center code, Enter, partner code, Enter, "はい"), finds it stored, narrows the listing to C004 and
# deletes the pair (partner code typed, Alt+D, "OK"), finds it gone, and leaves with Esc and "はい".
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
binary=$1
for tool in Xvfb xdotool sqlite3; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
run=$(mktemp -d /tmp/mnt4820-e2e.XXXXXX)
# shellcheck source=scripts/xvfb-lib.sh
source "$root/scripts/xvfb-lib.sh"
xvfb_start
trap 'xvfb_stop; rm -rf "$run"' EXIT

"$root/scripts/layout-run-folder.sh" "$run" "$binary" >/dev/null
export ODBCSYSINI="$run/odbc" ODBCINI="$run/odbc/odbc.ini"
db="$run/data/mnt4820.db"
stored() {
  sqlite3 "$db" "SELECT count(*) FROM FL1915センタ利用企業マスタ WHERE センターコード = 'C004' AND 相手先企業コード = 'E2E01'"
}
fail() { echo "FAIL: $*" >&2; exit 1; }

"$run/EDI/MNT4820/mnt4820" 0001 &
program_pid=$!
xvfb_wait_window 'センタ利用企業マスタ保守' 30 >/dev/null || fail "the main window did not appear"
sleep 1

xdotool key --clearmodifiers alt+a
sleep 0.3
xdotool type --delay 50 c004
xdotool key Return
sleep 0.3
xdotool type --delay 50 e2e01
xdotool key Return
xvfb_answer "この内容で更新しますか" Return || fail "no save question"
[[ $(stored) -eq 1 ]] || fail "the added pair is not stored"

xdotool type --delay 50 c004
xdotool key Return
sleep 0.5
xdotool type --delay 50 e2e01
xdotool key --clearmodifiers alt+d
xvfb_answer "削除してよろしいですか" Return || fail "no delete question"
[[ $(stored) -eq 0 ]] || fail "the pair was not deleted"

xdotool key Escape
xvfb_answer "終了してもよろしいですか" alt+y || fail "no exit question"
status=0
wait "$program_pid" || status=$?
program_pid=
[[ $status -eq 0 ]] || fail "the program ended with status $status"
echo "pair added, stored, deleted; exit status 0"
