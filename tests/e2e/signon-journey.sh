#!/usr/bin/env bash
# The real sign-on program under Xvfb on the demo database, driven only through X key events:
#   1. operator 0001 signs on with its password; the published values are checked;
#   2. a second run opens the password change with F5, walks its four fields with Enter and stores a new
#      password, which the operator master then holds for 0001 alone; back in the sign-on window the operator
#      signs on with it;
#   3. a third run refuses the old password and accepts the new one.
# The operator master is compared after every step. Each dialog state is saved as a screenshot; they are kept
# when the test fails, or always in the folder named by MNT4820_E2E_SHOTS.
#   tests/e2e/signon-journey.sh PROGRAM_BINARY SIGNON_BINARY
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
program=$1 signon=$2
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
for tool in Xvfb xdotool import sqlite3; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done

run=$(mktemp -d /tmp/mnt4820-signon-e2e.XXXXXX)
shots=${MNT4820_E2E_SHOTS:-$PWD/signon-journey-shots}
rm -rf "$shots"
mkdir -p "$shots"
# shellcheck source=scripts/xvfb-lib.sh
source "$root/scripts/xvfb-lib.sh"
finish() {
  local status=$?
  xvfb_stop
  [[ $status -eq 0 || ! -s $run/signon.log ]] || { echo "the program's error output:" && cat "$run/signon.log"; } >&2
  rm -rf "$run"
  if [[ $status -eq 0 && -z ${MNT4820_E2E_SHOTS:-} ]]; then
    rm -rf "$shots"
  else
    echo "screenshots: $shots"
  fi
}
xvfb_start
trap finish EXIT

"$root/scripts/layout-run-folder.sh" "$run" "$program" "$signon" >/dev/null
export ODBCSYSINI="$run/odbc" ODBCINI="$run/odbc/odbc.ini"
db="$run/data/mnt4820.db"
title='^オペレータ入力 $'
old_password=yamada01 new_password=Kawa2026

# wait_until SECONDS COMMAND...: retries the command every 0.1 s until it succeeds.
wait_until() {
  local tries=$(($1 * 10))
  shift
  until "$@"; do
    ((--tries > 0)) || return 1
    sleep 0.1
  done
}

has_focus() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$1" ]]; }
# No window manager runs here: when a window of the program closes, the focus falls back to the root window, and
# the keys then go to the window under the pointer, as the X server delivers them.
receives_keys() {
  has_focus "$1" && return 0
  has_focus "$(xdotool search --maxdepth 0 --name '' 2>/dev/null)" || return 1
  [[ $(xdotool getmouselocation --shell) == *$'\nWINDOW='"$1"* ]]
}
is_gone() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
has_ended() { ! kill -0 "$program_pid" 2>/dev/null; }
operators() { sqlite3 -separator '|' "$db" 'SELECT * FROM FL0003担当者マスタ ORDER BY 担当者コード'; }

# The password change is the visible window of the same title that is not the sign-on window.
find_password_window() {
  password_window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | grep -vx "$window" | head -1) || true
  [[ -n $password_window ]]
}
password_window_closed() { ! find_password_window; }

# shot NAME WINDOW: saves the window once two captures 0.1 s apart agree (the typed keys are painted).
shot() {
  local file="$shots/$1.png" previous="" current tries=30
  while ((tries-- > 0)); do
    import -window "$2" "$file" || fail "no screenshot of $1"
    current=$(md5sum <"$file")
    [[ $current == "$previous" ]] && return 0
    previous=$current
    sleep 0.1
  done
  fail "the screenshot $1 never settled"
}

# start_signon OUTPUT: starts the sign-on program and waits until its window has the keyboard focus.
start_signon() {
  "$run/EDI/MNT4820/mnt4820-signon" >"$1" 2>>"$run/signon.log" &
  program_pid=$!
  window=$(xvfb_wait_window "$title" 30) || fail "the sign-on window did not appear"
  wait_until 10 has_focus "$window" || fail "the sign-on window did not get the keyboard focus"
}

# expect_published OUTPUT: the program ends with status 0 and published operator 0001 with "00".
expect_published() {
  wait_until 15 has_ended || fail "the sign-on program did not end after Enter in the password"
  local status=0
  wait "$program_pid" || status=$?
  program_pid=
  [[ $status -eq 0 ]] || fail "the sign-on program ended with status $status"
  local expected
  expected=$(printf '%s\n' ResultCode=00 OperatorCode=0001 'OperatorName=山田 太郎' OperatorImeMode=0 \
    OperatorAuthority=9)
  [[ $(cat "$1") == "$expected" ]] || fail "published $(cat "$1") instead of $expected"
}

expect_operators() {
  [[ $(operators) == "$1" ]] || fail "$2: the operator master holds
$(operators)
instead of
$1"
}

before=$(operators)
[[ $before == *"0001|山田 太郎|0|9|$old_password"$'\n'* ]] || fail "the demo database has no operator 0001: $before"

# 1. Sign on with the password of the demo data.
start_signon "$run/first.txt"
xdotool type --delay 20 0001
xdotool key Return
xdotool type --delay 20 "$old_password"
shot 01-signon-typed "$window"
xdotool key Return
expect_published "$run/first.txt"
expect_operators "$before" "after signing on"

# 2. Change the password through F5, then sign on with the new one in the same run.
start_signon "$run/second.txt"
xdotool type --delay 20 0001
xdotool key F5
wait_until 10 find_password_window || fail "F5 did not open the password change"
wait_until 10 has_focus "$password_window" || fail "the password change did not get the keyboard focus"
shot 02-password-opened "$password_window"
xdotool key Return
xdotool type --delay 20 "$old_password"
xdotool key Return
xdotool type --delay 20 "$new_password"
xdotool key Return
xdotool type --delay 20 "$new_password"
shot 03-password-filled "$password_window"
xdotool key Return
wait_until 10 password_window_closed || fail "the password change stayed open after Enter"
changed=${before/"0001|山田 太郎|0|9|$old_password"/"0001|山田 太郎|0|9|$new_password"}
expect_operators "$changed" "after the password change"
wait_until 10 receives_keys "$window" || fail "the keys do not reach the sign-on window after the change"
shot 04-signon-after-change "$window"
xdotool key Return
xdotool type --delay 20 "$new_password"
xdotool key Return
expect_published "$run/second.txt"
expect_operators "$changed" "after signing on with the new password"

# 3. A new run: the old password is refused, the new one accepted.
start_signon "$run/third.txt"
xdotool type --delay 20 0001
xdotool key Return
xdotool type --delay 20 "$old_password"
xdotool key Return
message=$(xvfb_wait_window '^MNT4820$' 10) || fail "the old password was not refused"
wait_until 10 has_focus "$message" || fail "the refusal did not get the keyboard focus"
shot 05-old-password-refused root
xdotool key Return
wait_until 10 is_gone '^MNT4820$' || fail "the refusal stayed open after Enter"
wait_until 10 receives_keys "$window" || fail "the keys do not reach the sign-on window after the refusal"
# The refused password is selected, so typing replaces it.
xdotool type --delay 20 "$new_password"
shot 06-signon-new-password "$window"
xdotool key Return
expect_published "$run/third.txt"
expect_operators "$changed" "after signing on in a new run"
echo "signed on, changed the password of 0001, refused the old one and signed on with the new one"
