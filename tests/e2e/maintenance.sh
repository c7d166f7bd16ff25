#!/usr/bin/env bash
# The real program on the demo database under Xvfb, driven by key events alone, as an operator drives it:
#   narrow the listing to C004; add C004/A0000E2E from there (Alt+A, center, Enter, partner, Enter, "はい");
#   narrow to C004 again, where the new pair comes first, and change it to A0000E2F; narrow again and delete it
#   (Alt+D, "OK"); pick the second center of the code search (F5, Down, Enter), narrow to it and delete its
#   first pair, which proves the pick; leave with Esc and "はい" and expect exit status 0.
# After each step the whole table is compared with what the steps so far must have left, and a picture of the
# window is saved: under MNT4820_E2E_SHOTS when it is set, otherwise kept only when the test fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
binary=$1
for tool in Xvfb xdotool sqlite3 import; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
run=$(mktemp -d /tmp/mnt4820-e2e.XXXXXX)
shots=${MNT4820_E2E_SHOTS:-$run/shots}
mkdir -p "$shots"
# shellcheck source=scripts/xvfb-lib.sh
source "$root/scripts/xvfb-lib.sh"
# shellcheck source=scripts/window-steps.sh
source "$root/scripts/window-steps.sh"
xvfb_start
finish() {
  local status=$?
  if ((status != 0)) && [[ -z ${MNT4820_E2E_SHOTS:-} ]]; then
    local kept
    kept=$(mktemp -d /tmp/mnt4820-e2e-failed.XXXXXX)
    cp -r "$shots" "$run/data" "$run/program.log" "$kept/" 2>/dev/null || true
    echo "pictures, database and the program's error output kept in $kept" >&2
  fi
  xvfb_stop
  rm -rf "$run"
}
trap finish EXIT

"$root/scripts/layout-run-folder.sh" "$run" "$binary" >/dev/null
export ODBCSYSINI="$run/odbc" ODBCINI="$run/odbc/odbc.ini"
db="$run/data/mnt4820.db"
fail() { echo "FAIL: $*" >&2; exit 1; }

table() { sqlite3 -cmd '.timeout 2000' "$db" "SELECT センターコード || '|' || 相手先企業コード FROM FL1915センタ利用企業マスタ" | LC_ALL=C sort; }
expected=$(table)
expect_added() { expected=$(printf '%s\n%s\n' "$expected" "$1" | LC_ALL=C sort); }
expect_removed() { expected=$(grep -vxF "$1" <<<"$expected"); }
table_as_expected() { [[ $(table) == "$expected" ]]; }
# step NAME: the table holds what is expected (waiting up to 10 s for the program's commit), then a picture.
step() {
  if ! steps_wait 10 table_as_expected; then
    steps_grab "$shots/$1-failed.png" || true
    fail "$1: the table differs from what is expected:
$(diff <(echo "$expected") <(table) || true)"
  fi
  steps_picture "$shots/$1.png" || fail "$1: no picture"
}
typed() { xdotool type --delay 30 "$1"; }

"$run/EDI/MNT4820/mnt4820" 0001 2>"$run/program.log" &
program_pid=$!
steps_main_window || fail "the main window did not appear with the focus"
step 01-listing

typed c004
xdotool key Return
step 02-narrowed-to-C004

xdotool key --clearmodifiers alt+a
typed c004
xdotool key Return
typed a0000e2e
xdotool key Return
steps_dialog '^MNT4820$' "the question before the add" || fail "no save question after the add"
step 03-add-question
steps_close '^MNT4820$' "the question before the add" Return || fail "the save question stayed"
expect_added 'C004|A0000E2E'
step 04-added

typed c004
xdotool key Return
typed a0000e2f
xdotool key Return
steps_dialog '^MNT4820$' "the question before the change" || fail "no save question after the change"
step 05-change-question
steps_close '^MNT4820$' "the question before the change" Return || fail "the save question stayed"
expect_removed 'C004|A0000E2E'
expect_added 'C004|A0000E2F'
step 06-changed

typed c004
xdotool key Return
xdotool key --clearmodifiers alt+d
steps_dialog '^MNT4820$' "the delete question" || fail "no delete question"
step 07-delete-question
steps_close '^MNT4820$' "the delete question" Return || fail "the delete question stayed"
expect_removed 'C004|A0000E2F'
step 08-deleted

xdotool key F5
steps_dialog '検索 □□$' "the code search" || fail "the code search did not open on F5"
step 09-code-search
xdotool key Down
step 10-code-search-second-row
steps_close '検索 □□$' "the code search" Return || fail "the code search stayed open after Enter"
step 11-center-picked
xdotool key Return
step 12-narrowed-to-the-picked-center
xdotool key --clearmodifiers alt+d
steps_dialog '^MNT4820$' "the delete question" || fail "no delete question after the pick"
steps_close '^MNT4820$' "the delete question" Return || fail "the delete question stayed"
# Only the first pair of the second center goes: the pick wrote C002, and the narrowing used it.
expect_removed 'C002|A00023456781'
step 13-first-pair-of-the-picked-center-deleted

xdotool key Escape
steps_dialog '^MNT4820$' "the exit question" || fail "no exit question on Esc"
step 14-exit-question
steps_close '^MNT4820$' "the exit question" alt+y || fail "the exit question stayed"
ended() { [[ ! -e /proc/$program_pid ]] || [[ $(cut -d' ' -f3 "/proc/$program_pid/stat" 2>/dev/null) == Z ]]; }
steps_wait 15 ended || fail "the program did not end after \"はい\""
status=0
wait "$program_pid" || status=$?
program_pid=
[[ $status -eq 0 ]] || fail "the program ended with status $status"
table_as_expected || fail "the table changed on the way out"
echo "narrowed, added, changed, deleted, picked with F5 and narrowed to the pick, left; exit status 0"
