#!/usr/bin/env bash
# A settings file without its colour section: the real binary must show "INIﾌｧｲﾙ読込エラー" in a message box
# titled MNT4820 before any main window, and end with a non-zero status once it is confirmed. Then a data source
# whose database file is missing ends the start-up at the connection.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
binary=$1
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
run=$(mktemp -d /tmp/mnt4820-e2e.XXXXXX)
# shellcheck source=scripts/xvfb-lib.sh
source "$root/scripts/xvfb-lib.sh"
xvfb_start
trap 'xvfb_stop; rm -rf "$run"' EXIT

"$root/scripts/layout-run-folder.sh" "$run" "$binary" >/dev/null
sed -n '/^\[Setting0\]/q;p' "$root/config/demo/EDI.ini" | iconv -f UTF-8 -t CP932 > "$run/EDI.ini"
export ODBCSYSINI="$run/odbc" ODBCINI="$run/odbc/odbc.ini"

"$run/EDI/MNT4820/mnt4820" 0001 &
program_pid=$!
xvfb_wait_window '^MNT4820$' 30 >/dev/null || { echo "FAIL: no message box appeared" >&2; exit 1; }
if xdotool search --onlyvisible --name 'センタ利用企業マスタ保守' >/dev/null 2>&1; then
  echo "FAIL: the main window was shown before the settings error" >&2
  exit 1
fi
sleep 0.5
xdotool key --clearmodifiers Return
status=0
wait "$program_pid" || status=$?
program_pid=
if [[ $status -eq 0 ]]; then
  echo "FAIL: the program ended with status 0 after a settings error" >&2
  exit 1
fi
echo "settings error shown before the main window; exit status $status"

# The demo's data source naming a database file that is not there: the connection fails, naming the data source,
# and no empty database is made in its place.
iconv -f UTF-8 -t CP932 "$root/config/demo/EDI.ini" >"$run/EDI.ini"
rm "$run/data/mnt4820.db"
"$run/EDI/MNT4820/mnt4820" 0001 2>"$run/stderr" &
program_pid=$!
xvfb_wait_window '^MNT4820$' 30 >/dev/null || { echo "FAIL: no message box for the missing database" >&2; exit 1; }
sleep 0.5
xdotool key --clearmodifiers Return
status=0
wait "$program_pid" || status=$?
program_pid=
[[ $status -eq 1 ]] || { echo "FAIL: exit status $status after a connection error" >&2; exit 1; }
grep -q 'ConnectDatabase (data source "MNT4820_SQLITE" named in' "$run/stderr" ||
  { echo "FAIL: the connection error does not name the data source: $(cat "$run/stderr")" >&2; exit 1; }
[[ ! -e $run/data/mnt4820.db ]] || { echo "FAIL: the missing database file was created" >&2; exit 1; }
echo "a missing database file ends the start-up at the connection, naming the data source"
