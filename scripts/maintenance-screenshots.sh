#!/usr/bin/env bash
# The pictures of README.md, taken from the main window in a real window on a virtual display, on a fresh demo
# database, by key events alone: the listing at start (MNT4820-listing.png), the code search on F5 with its
# second row chosen (MNT4820-code-search.png, left with Esc) and the add state with a center checked, a partner
# code typed and the save question (MNT4820-add-question.png, answered "いいえ", so nothing is stored). The
# program is left with Esc and "はい". Each picture is cut to the window's place and kept small (64 colours).
#   scripts/maintenance-screenshots.sh [BUILD_DIR [OUT_DIR]]      (defaults: build, docs/screenshots)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd) out=${2:-$root/docs/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)

run=$(mktemp -d /tmp/mnt4820-maintenance-run.XXXXXX)
"$root/scripts/layout-run-folder.sh" "$run" "$build/mnt4820" >/dev/null
export ODBCSYSINI="$run/odbc" ODBCINI="$run/odbc/odbc.ini"
# shellcheck source=scripts/xvfb-lib.sh
source "$root/scripts/xvfb-lib.sh"
# shellcheck source=scripts/window-steps.sh
source "$root/scripts/window-steps.sh"
xvfb_start
trap 'xvfb_stop; rm -rf "$run"' EXIT
die() { echo "$*" >&2; exit 1; }
picture() {
  steps_picture "$run/$1" || die "no picture for $1"
  convert "$run/$1" -strip -colors 64 "PNG8:$out/$1"
}

"$run/EDI/MNT4820/mnt4820" 0001 &
program_pid=$!
steps_main_window || die "the main window did not appear"
picture MNT4820-listing.png

xdotool key F5
steps_dialog '検索 □□$' "the code search" || die "the code search did not open"
xdotool key Down
picture MNT4820-code-search.png
steps_close '検索 □□$' "the code search" Escape || die "the code search stayed open"

xdotool key --clearmodifiers alt+a
xdotool type --delay 30 c004
xdotool key Return
xdotool type --delay 30 k2026000001
xdotool key Return
steps_dialog '^MNT4820$' "the save question" || die "the save question did not appear"
picture MNT4820-add-question.png
steps_close '^MNT4820$' "the save question" alt+n || die "the save question stayed"

xdotool key Escape
steps_answer "the exit question" alt+y || die "no exit question"
wait "$program_pid"
program_pid=
echo "screenshots: $out/MNT4820-listing.png $out/MNT4820-code-search.png $out/MNT4820-add-question.png"
