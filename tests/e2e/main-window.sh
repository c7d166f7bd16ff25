#!/usr/bin/env bash
# Starts the real binary on the demo database under Xvfb, waits for the main window by its title, takes a
# screenshot, closes it through the exit question with "はい" and expects exit status 0.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
binary=$1 closer=$2
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
[[ -x $closer ]] || { echo "FAIL: no X11 helper: $closer" >&2; exit 1; }
run=$(mktemp -d /tmp/mnt4820-e2e.XXXXXX)
trap 'rm -rf "$run"' EXIT

"$root/scripts/layout-run-folder.sh" "$run" "$binary" >/dev/null
export ODBCSYSINI="$run/odbc" ODBCINI="$run/odbc/odbc.ini"
status=0
"$root/scripts/xvfb-session.sh" "$run/EDI/MNT4820/mnt4820" " 0001 " "$run/shot.png" "$closer" || status=$?
if [[ $status -ne 0 ]]; then
  echo "FAIL: the program ended with status $status" >&2
  exit 1
fi
size=$(stat -c %s "$run/shot.png")
if [[ $size -lt 10000 ]]; then
  echo "FAIL: the screenshot is suspiciously small ($size bytes)" >&2
  exit 1
fi
echo "main window shown, screenshot $size bytes, exit status 0"
