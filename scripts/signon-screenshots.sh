#!/usr/bin/env bash
# Screenshots of the two sign-on dialogs in real windows on a virtual display: lays out a run folder with the
# demo database beside the built programs, starts mnt4820-signon, types operator 0001 and its password
# (OPS22101.png), opens the password change with F5 (OPS22102.png), then leaves both with Esc and prints
# what the sign-on published.
#   scripts/signon-screenshots.sh BUILD_DIR OUT_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd) out=$2
mkdir -p "$out"
out=$(cd "$out" && pwd)

run=$(mktemp -d /tmp/mnt4820-signon-run.XXXXXX)
"$root/scripts/layout-run-folder.sh" "$run" "$build/mnt4820" "$build/mnt4820-signon" >/dev/null
export ODBCSYSINI="$run/odbc" ODBCINI="$run/odbc/odbc.ini"
# shellcheck source=scripts/xvfb-lib.sh
source "$root/scripts/xvfb-lib.sh"
xvfb_start
trap 'xvfb_stop; rm -rf "$run"' EXIT

"$run/EDI/MNT4820/mnt4820-signon" >"$run/published.txt" &
program_pid=$!
signon=$(xvfb_wait_window 'オペレータ入力' 30) || { echo "the sign-on window did not appear" >&2; exit 1; }
sleep 1
xdotool type --delay 50 0001
xdotool key Return
xdotool type --delay 50 yamada01
sleep 0.5
import -window "$signon" "$out/OPS22101.png"

xdotool key F5
for _ in $(seq 50); do
  password=$(xdotool search --onlyvisible --name 'オペレータ入力' | grep -vx "$signon" | head -1 || true)
  [[ -n $password ]] && break
  sleep 0.2
done
[[ -n $password ]] || { echo "the password window did not appear" >&2; exit 1; }
sleep 1
import -window "$password" "$out/OPS22102.png"

xdotool key Escape
sleep 0.5
xdotool key Escape
wait "$program_pid"
program_pid=
cat "$run/published.txt"
echo "screenshots: $out/OPS22101.png $out/OPS22102.png"
