#!/usr/bin/env bash
# A settings file without its colour section: the real binary must show "INIﾌｧｲﾙ読込エラー" in a message box
# titled MNT4820 before any main window, and end with a non-zero status once it is confirmed.
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
