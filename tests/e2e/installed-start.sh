#!/usr/bin/env bash
# The package unpacked (not installed) into a temporary root, under Xvfb on the demo database, driven by keys:
#   1. before EDI.ini exists the installed start-up says "接続エラー", names the file on standard error, ends 1;
#   2. EDI.ini made from the packaged template as the install makes it (naming the demo's data source);
#      `mnt4820 0001` gives the reference picture of the main window, left with Esc and "はい";
#   3. the start-up shows the sign-on, operator 0001 signs on, and the main window differs from the reference
#      only where the operator's name stands in the header (the command line leaves it empty); Esc and "はい"
#      end it with status 0. The picture is kept under MNT4820_E2E_SHOTS when that is set.
#   tests/e2e/installed-start.sh PACKAGE_DIR
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in Xvfb xdotool import convert dpkg-deb sqlite3 iconv; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done
debs=("$1"/mnt4820_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "not one package in $1"
run=$(mktemp -d /tmp/mnt4820-installed.XXXXXX)
# shellcheck source=scripts/xvfb-lib.sh
source "$src/scripts/xvfb-lib.sh"
# shellcheck source=scripts/window-steps.sh
source "$src/scripts/window-steps.sh"
xvfb_start
trap 'status=$?; ((status == 0)) || cat "$run/program.log" >&2; xvfb_stop; rm -rf "$run"' EXIT

dpkg-deb -x "${debs[0]}" "$run/root"
suite="$run/root/opt/edi" folder="$run/root/opt/edi/EDI/MNT4820"
mkdir "$run/data"
sqlite3 "$run/data/mnt4820.db" <"$src/db/schema.sql"
sqlite3 "$run/data/mnt4820.db" <"$src/db/demo-data.sql"
"$src/scripts/odbc-config.sh" "$run/odbc" "$run/data/mnt4820.db"
export ODBCSYSINI="$run/odbc" ODBCINI="$run/odbc/odbc.ini"

ended() { [[ ! -e /proc/$program_pid ]] || [[ $(cut -d' ' -f3 "/proc/$program_pid/stat" 2>/dev/null) == Z ]]; }
# expect_end STATUS: the program ends with that status within 15 s.
expect_end() {
  steps_wait 15 ended || fail "the program did not end"
  local status=0
  wait "$program_pid" || status=$?
  program_pid=
  [[ $status -eq $1 ]] || fail "the program ended with status $status instead of $1"
}
leave() {
  xdotool key Escape
  steps_dialog '^MNT4820$' "the exit question" || fail "no exit question on Esc"
  steps_close '^MNT4820$' "the exit question" alt+y || fail "the exit question stayed"
  expect_end 0
}

# 1. No EDI.ini yet.
"$folder/mnt4820-start" 2>"$run/error.log" &
program_pid=$!
steps_answer "the connection error" Return || fail "no message on a missing EDI.ini"
expect_end 1
grep -qF "$suite/EDI.ini" "$run/error.log" || fail "standard error does not name the file: $(cat "$run/error.log")"

# 2. EDI.ini from the template; the reference window.
iconv -f CP932 -t UTF-8 "$suite/EDI.ini.example" | sed 's/^DBSTRING=.*/DBSTRING=MNT4820_SQLITE/' |
  iconv -f UTF-8 -t CP932 >"$suite/EDI.ini"
"$folder/mnt4820" 0001 2>>"$run/program.log" &
program_pid=$!
steps_main_window || fail "mnt4820 0001 showed no main window"
steps_picture "$run/reference.png" || fail "no picture of mnt4820 0001"
leave

# 3. Signed on through the start-up.
"$folder/mnt4820-start" 2>>"$run/program.log" &
program_pid=$!
steps_dialog '^オペレータ入力 $' "the sign-on" || fail "the start-up showed no sign-on"
xdotool type --delay 30 0001
xdotool key Return
xdotool type --delay 30 yamada01
xdotool key Return
steps_main_window || fail "no main window after signing on"
steps_picture "$run/signed-on.png" || fail "no picture of the signed-on main window"
[[ -z ${MNT4820_E2E_SHOTS:-} ]] || cp "$run/signed-on.png" "$MNT4820_E2E_SHOTS/"
# The header row is the top 22 pixels (below it a caret blinks). Its name label lbl_OP_NM spans 4650-6705
# twips across and 0-255 down: 310-447 and 0-17 pixels at 96 dpi.
changed=$(convert "$run/signed-on.png" "$run/reference.png" -crop 2000x22+0+0 +repage -compose difference \
  -composite -threshold 0 -format '%@' info:)
[[ $changed =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || fail "no difference to the reference: $changed"
read -r w h x y <<<"${BASH_REMATCH[*]:1}"
((x >= 310 && x + w <= 447 && y + h <= 17 && w > 20)) || fail "the pictures differ at ${w}x${h}+${x}+${y}"
leave
echo "installed start-up: connection error without EDI.ini; 0001 signed on, name in the header; exit status 0"
